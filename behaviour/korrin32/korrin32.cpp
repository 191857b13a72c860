// Placeholder: no spread until the fire behaviour model lands.
#include "behaviour/korrin32/korrin32.h"

extern "C" {
int32_t Korrin32_Create(void) { return 0; }
int32_t Korrin32_Moisture(float, float, float, float, float) { return 0; }
int32_t Korrin32_Cell(int16_t, float, float, float, float, float* head, float* dir, float* lb) {
    *head = 0; *dir = 0; *lb = 1;
    return 0;
}
float Korrin32_BurnRate(float) { return 0; }
float Korrin32_FlameLength(void) { return 0; }
void Korrin32_Destroy(void) {}
}
