// The vDSP functions, element by element; sums stay in single precision, as vDSP keeps them.
#include <Accelerate/Accelerate.h>

#include <cmath>

void vDSP_vabs(const float* A, vDSP_Stride IA, float* C, vDSP_Stride IC, vDSP_Length N)
{
  for (vDSP_Length n = 0; n < N; ++n)
    C[static_cast<vDSP_Stride>(n) * IC] = std::fabs(A[static_cast<vDSP_Stride>(n) * IA]);
}

void vDSP_maxv(const float* A, vDSP_Stride IA, float* C, vDSP_Length N)
{
  float largest = -INFINITY;
  for (vDSP_Length n = 0; n < N; ++n)
  {
    const float value = A[static_cast<vDSP_Stride>(n) * IA];
    if (value > largest)
      largest = value;
  }
  *C = largest;
}

void vDSP_meanv(const float* A, vDSP_Stride IA, float* C, vDSP_Length N)
{
  float sum = 0.0f;
  for (vDSP_Length n = 0; n < N; ++n)
    sum += A[static_cast<vDSP_Stride>(n) * IA];
  *C = sum / static_cast<float>(N);
}

void vDSP_rmsqv(const float* A, vDSP_Stride IA, float* C, vDSP_Length N)
{
  float sum = 0.0f;
  for (vDSP_Length n = 0; n < N; ++n)
  {
    const float value = A[static_cast<vDSP_Stride>(n) * IA];
    sum += value * value;
  }
  *C = std::sqrt(sum / static_cast<float>(N));
}
