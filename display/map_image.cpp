// Palette and map composition (placeholder until it lands).
#include "display/map_image.h"

#include "app/sim.h"

namespace torvex {

void Init_Palet(Sim&) {}
void Init_Graphics(Sim& sim) { sim.picture.Fill(kBlack); }
void VBwrite(Sim&, int16_t, int32_t, int32_t, int32_t) {}
void LoadMapFile(Sim&) {}
void MakeAir(Sim& sim, const std::string&) { sim.picture.Fill(Rgb(0, 40, 100)); }

}  // namespace torvex
