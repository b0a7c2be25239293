#pragma once

#include <array>

#include "world/scenery/Scenery.h"

// A twelve-sided house: its wall corners lie on the ellipse inscribed in the
// footprint, under a conical roof overhanging by 0.2 m.
class RoundHouse : public Scenery {
  public:
    void Build() override;
    void Draw(const Observer&) const override { DrawRotated(); }
    void Emit(PolygonSink& sink) const override;

    // cos and sin of k * 30 degrees, k = 0 ... 12, filled by Build and Emit.
    const std::array<std::array<float, 2>, 13>& corners() const { return angles; }

  private:
    void ComputeAngles() const;

    mutable std::array<std::array<float, 2>, 13> angles{};
};
