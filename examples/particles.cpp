// Particles and shapes: snow drifting over the world, three figures that
// bounce about, and a burst of sparks wherever the left mouse button is
// clicked (one at the start too). Shows addParticles(), Particle, Shape
// and objects that show nothing but a figure.
//
// Outline: set-up, objects, loop, shut-down.

#include <cstdlib>

#include "ExampleEnd.h"
#include "engine/Morvane.h"

// A SPECTRAL figure that bounces off the edges of the world.
class Bouncer : public mo::Object {
 public:
  Bouncer(mo::ShapeType figure, mo::Color color, mo::Vector start, mo::Vector velocity) {
    setType("Bouncer");
    setSolidness(mo::SPECTRAL);
    mo::Shape shape;
    shape.setType(figure);
    shape.setColor(color);
    shape.setSize(20);  // pixels
    setShape(shape);
    setPosition(start);
    setVelocity(velocity);
    registerInterest(mo::STEP_EVENT);
  }

  int eventHandler(const mo::Event* p_e) override {
    if (p_e->getType() != mo::STEP_EVENT) return 0;
    // Turn back before the next step would leave the boundary.
    const mo::Box world = mo::WorldManager::getInstance().getBoundary();
    const mo::Vector next = predictPosition();
    mo::Vector velocity = getVelocity();
    if (next.getX() < 1 || next.getX() > world.getHorizontal() - 2) velocity.setX(-velocity.getX());
    if (next.getY() < 1 || next.getY() > world.getVertical() - 2) velocity.setY(-velocity.getY());
    setVelocity(velocity);
    return 1;
  }
};

// A burst of short-lived orange sparks flying out from where.
void sparks(mo::Vector where) {
  for (int i = 0; i < 24; i++) {
    // Size in pixels, age in steps; each spark deletes itself at age 0.
    auto* p_spark = new mo::Particle(3.0f, 20 + std::rand() % 20, 255, 255, 160, 40);
    p_spark->setPosition(where);
    p_spark->setVelocity(mo::Vector((std::rand() % 200 - 100) / 100.0f,
                                    (std::rand() % 200 - 100) / 200.0f));
  }
}

// Turns left clicks into sparks.
class Sparker : public mo::Object {
 public:
  Sparker() {
    setType("Sparker");
    setSolidness(mo::SPECTRAL);
    setVisible(false);
    registerInterest(mo::MOUSE_EVENT);
  }

  int eventHandler(const mo::Event* p_e) override {
    if (p_e->getType() != mo::MOUSE_EVENT) return 0;
    const auto* p_mouse = static_cast<const mo::EventMouse*>(p_e);
    if (p_mouse->getMouseAction() != mo::CLICKED || p_mouse->getMouseButton() != mo::LEFT) return 0;
    sparks(mo::viewToWorld(p_mouse->getMousePosition()));
    return 1;
  }
};

int main() {
  // Set-up.
  mo::GameManager& game = mo::GameManager::getInstance();
  if (game.startUp() != 0) {
    mo::LogManager::getInstance().writeLog("Error starting game manager!");
    game.shutDown();
    return 1;
  }

  // Objects: snow of kind 0 (small white flakes) drifting down, one
  // flake per 60 cells; three figures; the first burst of sparks.
  mo::addParticles(0, mo::DRIFT_DOWN, 1.0f);
  new Bouncer(mo::CIRCLE, mo::RED, mo::Vector(10, 5), mo::Vector(0.6f, 0.3f));
  new Bouncer(mo::SQUARE, mo::GREEN, mo::Vector(40, 12), mo::Vector(-0.4f, 0.5f));
  new Bouncer(mo::TRIANGLE, mo::MAGENTA, mo::Vector(70, 18), mo::Vector(-0.7f, -0.2f));
  sparks(mo::Vector(40, 12));
  new Sparker;
  new ExampleEnd;

  // Loop.
  game.run();
  mo::LogManager::getInstance().writeLog("Particles: %d objects left in the world.",
                                         mo::WorldManager::getInstance().getAllObjects().getCount());

  // Shut-down.
  game.shutDown();
  return 0;
}
