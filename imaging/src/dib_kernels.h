#pragma once
// Weight functions of the interpolation methods (single precision).
namespace dib_kernels {

// The weight of a sample at distance t for a 4 x 4 or Lanczos method id;
// 0 for ids without a kernel (nearest, bilinear).
float Weight(int method, float t);
// Bessel function of the first kind, order 1.
float BesselJ1(float x);

}  // namespace dib_kernels
