// The 13 standard surface fuel models (Anderson 1982 loads, Albini 1976 surface-area-to-volume ratios).
#include "behaviour/korrin32/fuel_models.h"

#include <array>

namespace korrin32 {

namespace {

// 1-h, 10-h, 100-h, live (tons/acre); live herbaceous?; 1-h SAV, live SAV; depth; dead extinction.
constexpr std::array<FuelModel, kModelCount> kModels = {{
    {0.74, 0.00, 0.00, 0.00, false, 3500, 1500, 1.0, 0.12},   // 1 short grass
    {2.00, 1.00, 0.50, 0.50, true, 3000, 1500, 1.0, 0.15},    // 2 timber, grass and understory
    {3.01, 0.00, 0.00, 0.00, false, 1500, 1500, 2.5, 0.25},   // 3 tall grass
    {5.01, 4.01, 2.00, 5.01, false, 2000, 1500, 6.0, 0.20},   // 4 chaparral
    {1.00, 0.50, 0.00, 2.00, false, 2000, 1500, 2.0, 0.20},   // 5 brush
    {1.50, 2.50, 2.00, 0.00, false, 1750, 1500, 2.5, 0.25},   // 6 dormant brush, hardwood slash
    {1.13, 1.87, 1.50, 0.37, false, 1750, 1550, 2.5, 0.40},   // 7 southern rough
    {1.50, 1.00, 2.50, 0.00, false, 2000, 1500, 0.2, 0.30},   // 8 closed timber litter
    {2.92, 0.41, 0.15, 0.00, false, 2500, 1500, 0.2, 0.25},   // 9 hardwood litter
    {3.01, 2.00, 5.01, 2.00, false, 2000, 1500, 1.0, 0.25},   // 10 timber, litter and understory
    {1.50, 4.51, 5.51, 0.00, false, 1500, 1500, 1.0, 0.15},   // 11 light logging slash
    {4.01, 14.03, 16.53, 0.00, false, 1500, 1500, 2.3, 0.20}, // 12 medium logging slash
    {7.01, 23.04, 28.05, 0.00, false, 1500, 1500, 3.0, 0.25}, // 13 heavy logging slash
}};

}  // namespace

const FuelModel* StandardModel(int number) {
    if (number < 1 || number > kModelCount) return nullptr;
    return &kModels[number - 1];
}

}  // namespace korrin32
