/* Our surface fire behaviour library: Rothermel (1972) with Albini (1976), the 13 standard fuel models. */
#ifndef TORVEX_KORRIN32_H
#define TORVEX_KORRIN32_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Results are ignored by the caller; 0 means success. */
int32_t Korrin32_Create(void);
/* Moistures as fractions: 1-hour, 10-hour, 100-hour, live herbaceous, live woody. */
int32_t Korrin32_Moisture(float m1, float m10, float m100, float herb, float woody);
/* Midflame wind in ft/min; direction the wind comes from, degrees; spare inputs ignored.
   Writes the head rate (m/min), the direction of maximum spread (degrees) and the length-to-breadth. */
int32_t Korrin32_Cell(int16_t fuelModel, float windFtPerMin, float windDirection, float spare1, float spare2,
                      float* headRate, float* maxSpreadDirection, float* lengthToBreadth);
/* Rate of spread (m/min) along a compass direction, for the last Korrin32_Cell. */
float Korrin32_BurnRate(float direction);
/* Flame length (m) of the head fire, for the last Korrin32_Cell. */
float Korrin32_FlameLength(void);
void Korrin32_Destroy(void);

#ifdef __cplusplus
}
#endif

#endif
