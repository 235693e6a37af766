#include "device_scale.h"

#include <climits>

namespace {

float Factor(int resolution, int size) {
  return size == 0 ? 0.0f : static_cast<float>(resolution) / static_cast<float>(size);
}

}  // namespace

MillimetreScale ScaleFromCaps(int horzRes, int horzSize, int vertRes, int vertSize) {
  return MillimetreScale{Factor(horzRes, horzSize), Factor(vertRes, vertSize)};
}

MillimetreScale ScaleOf(HDC dc) {
  return ScaleFromCaps(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, HORZSIZE), GetDeviceCaps(dc, VERTRES),
                       GetDeviceCaps(dc, VERTSIZE));
}

int ToDeviceUnits(int millimetres, float factor) {
  float units = static_cast<float>(millimetres) * factor;
  // Margins come from the INI file: no value may turn into an undefined
  // conversion.
  if (units >= 2147483648.0f) return INT_MAX;
  if (units <= -2147483648.0f) return INT_MIN;
  return static_cast<int>(units);
}

RECT MarginsInUnits(const Margins& margins, MillimetreScale scale) {
  return RECT{ToDeviceUnits(margins.left, scale.horizontal), ToDeviceUnits(margins.top, scale.vertical),
              ToDeviceUnits(margins.right, scale.horizontal), ToDeviceUnits(margins.bottom, scale.vertical)};
}
