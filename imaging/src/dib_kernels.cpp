#include "dib_kernels.h"

#include <cmath>

namespace dib_kernels {
namespace {

constexpr float kPi = 3.1415927f;

float Cube(float u) { return u > 0 ? u * u * u : 0.0f; }

float Sinc(float t) { return t == 0 ? 1.0f : std::sin(kPi * t) / (kPi * t); }

}  // namespace

float BesselJ1(float xf) {
  double x = xf, ax = std::fabs(x);
  if (ax == 0) return 0.0f;
  double result;
  if (ax < 8.0) {
    double y = x * x;
    double p = x * (72362614232.0 + y * (-7895059235.0 + y * (242396853.1 + y * (-2972611.439 +
                                                                               y * (15704.48260 + y * (-30.16036606))))));
    double q = 144725228442.0 + y * (2300535178.0 + y * (18583304.74 + y * (99447.43394 + y * (376.9991397 + y))));
    return static_cast<float>(p / q);
  }
  double z = 8.0 / ax, y = z * z, shifted = ax - 2.356194491;
  double p1 = 1.0 + y * (0.183105e-2 + y * (-0.3516396496e-4 + y * (0.2457520174e-5 + y * (-0.240337019e-6))));
  double q1 = 0.04687499995 + y * (-0.2002690873e-3 + y * (0.8449199096e-5 + y * (-0.88228987e-6 + y * 0.105787412e-6)));
  result = std::sqrt(0.636619772 / ax) * (std::cos(shifted) * p1 - z * std::sin(shifted) * q1);
  return static_cast<float>(x < 0 ? -result : result);
}

float Weight(int method, float t) {
  float a = std::fabs(t);
  switch (method) {
    case 3:  // B-spline
      if (t > 2) return 0;
      return (Cube(t + 2) - 4 * Cube(t + 1) + 6 * Cube(t) - 4 * Cube(t - 1)) * 0.16666667f;
    case 4:  // bicubic
      if (a < 1) return 1 - 2 * t * t + a * a * a;
      if (a < 2) return 4 - 8 * a + 5 * t * t - a * a * a;
      return 0;
    case 5: {  // generalised bicubic
      const float c = -0.5f;
      if (a < 1) return (c + 2) * a * a * a - (c + 3) * t * t + 1;
      if (a < 2) return c * a * a * a - 5 * c * t * t + 8 * c * a - 4 * c;
      return 0;
    }
    case 6:  // Lanczos, radius 6
      if (a > 6) return 0;
      if (t == 0) return 1;
      return Sinc(t) * Sinc(t / 6.0f);
    case 7:  // box
      return (t >= -0.5f && t < 0.5f) ? 1.0f : 0.0f;
    case 8:  // Hermite
      if (t >= -1 && t < 1) return 2 * a * a * a - 3 * t * t + 1;
      return 0;
    case 9:  // Hamming
      if (t >= -1 && t < 1) return 0.92f * (2 * a * a * a - 3 * t * t) + 1;
      return 0;
    case 10:  // sinc
      return Sinc(t);
    case 11:  // Blackman
      return 0.42f + 0.5f * std::cos(kPi * t) + 0.08f * std::cos(2 * kPi * t);
    case 12:  // Bessel
      if (t == 0) return 0.7853982f;
      return BesselJ1(kPi * t) / (2 * t);
    case 13:  // Gaussian
      return std::exp(-2 * t * t) * 0.7978845834732056f;
    case 14:  // quadratic
      if (t < -1.5f) return 0;
      if (t < -0.5f) return 0.5f * (t + 1.5f) * (t + 1.5f);
      if (t < 0.5f) return 0.75f - t * t;
      if (t < 1.5f) return 0.5f * (t - 1.5f) * (t - 1.5f);
      return 0;
    case 15:  // Mitchell, B = C = 1/3
      if (t < -2) return 0;
      if (t < -1) return 1.7777778f + 3.3333333f * t + 2 * t * t + 0.38888887f * t * t * t;
      if (t < 0) return 0.8888889f - 2 * t * t - 1.1666666f * t * t * t;
      if (t < 1) return 0.8888889f - 2 * t * t + 1.1666666f * t * t * t;
      if (t < 2) return 1.7777778f - 3.3333333f * t + 2 * t * t - 0.38888887f * t * t * t;
      return 0;
    case 16:  // Catmull-Rom
      if (t < -2) return 0;
      if (t < -1) return 0.5f * (t * t * t + 5 * t * t + 8 * t + 4);
      if (t < 0) return 0.5f * (-3 * t * t * t - 5 * t * t + 2);
      if (t < 1) return 0.5f * (3 * t * t * t - 5 * t * t + 2);
      if (t < 2) return 0.5f * (-t * t * t + 5 * t * t - 8 * t + 4);
      return 0;
    case 17:  // Hanning
      if (a > 1) return 0;
      return Sinc(t) * (0.5f + 0.5f * std::cos(kPi * t));
    case 18:  // power
      if (a > 1) return 0;
      return 1 - std::fabs(t * t);
    default:
      return 0;
  }
}

}  // namespace dib_kernels
