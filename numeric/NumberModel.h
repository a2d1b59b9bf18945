// Arithmetic helpers of the number model, shared by the numeric editor and the numeric label.
#pragma once
#include <KestrelNumeric.h>
#include <climits>
#include <cmath>

namespace numeric {

// A NaN argument is ignored by every setter: it has no place in a range.
inline bool IsNaN(double v)
{
    return v != v;
}

// Conversion toward zero that saturates instead of overflowing on huge bounds.
inline int Truncate(double v)
{
    if (!(v == v)) return 0;
    if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(v);
}

// Round to nearest, ties to even, on a single-precision value.
inline int RoundEven(float v)
{
    if (!(v == v)) return 0;
    if (v >= 2147483520.0f) return INT_MAX;
    if (v <= -2147483648.0f) return INT_MIN;
    return static_cast<int>(lrintf(v));
}

// 10 to the power n, computed in double and narrowed.
inline float PowerOfTen(int n)
{
    return static_cast<float>(std::pow(10.0, n));
}

inline bool IsDigitCode(UINT code)
{
    return code >= L'0' && code <= L'9';
}

}  // namespace numeric
