#pragma once

// Stand-in for Accelerate: the vDSP vector functions the meter analysis uses, computed in single
// precision as vDSP does.
#include <CoreFoundation/CoreFoundation.h>

typedef long vDSP_Stride;
typedef unsigned long vDSP_Length;

CF_EXTERN_C_BEGIN
/** C[n * IC] = |A[n * IA]| for n < N; A and C may be the same vector. */
void vDSP_vabs(const float* A, vDSP_Stride IA, float* C, vDSP_Stride IC, vDSP_Length N);
/** The largest element; -INFINITY when N is 0. */
void vDSP_maxv(const float* A, vDSP_Stride IA, float* C, vDSP_Length N);
/** The mean of the elements. */
void vDSP_meanv(const float* A, vDSP_Stride IA, float* C, vDSP_Length N);
/** The square root of the mean of the squared elements. */
void vDSP_rmsqv(const float* A, vDSP_Stride IA, float* C, vDSP_Length N);
CF_EXTERN_C_END
