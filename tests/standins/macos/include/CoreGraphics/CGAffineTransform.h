#pragma once

#include <CoreFoundation/CFBase.h>

struct CGAffineTransform
{
  CGFloat a, b, c, d;
  CGFloat tx, ty;
};
typedef struct CGAffineTransform CGAffineTransform;
