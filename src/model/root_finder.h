// The one root finder of the precise geometry and the exact valve events: Brent's
// method inside a bracket, and a golden-section search for a largest value. Both take
// any callable, so a caller's closure is inlined rather than called through a pointer.
#pragma once

#include <cmath>
#include <optional>
#include <utility>

namespace quarn {

// A root of f in the bracket [a, b], where fa = f(a) and fb = f(b) differ in sign (or
// one is zero). Brent's method: inverse quadratic interpolation and secant steps,
// falling back to bisection whenever they would not shrink the bracket fast enough.
// Converges until the bracket is narrower than `xTol` (plus a few units in the last
// place of the root) or f is exactly zero; empty when the signs do not bracket a root
// or the budget of steps runs out.
template <class F>
std::optional<double> brentRoot(F&& f, double a, double b, double fa, double fb, double xTol,
                                int maxSteps = 200) {
    if (fa == 0) return a;
    if (fb == 0) return b;
    if ((fa > 0) == (fb > 0) || !std::isfinite(fa) || !std::isfinite(fb)) return std::nullopt;
    double c = a, fc = fa, d = b - a, e = d;
    for (int step = 0; step < maxSteps; ++step) {
        if ((fb > 0) == (fc > 0)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol = 2.0 * 2.2e-16 * std::fabs(b) + 0.5 * xTol;
        const double half = 0.5 * (c - b);
        if (std::fabs(half) <= tol || fb == 0) return b;
        if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
            double p, q;
            const double s = fb / fa;
            if (a == c) {
                p = 2.0 * half * s;
                q = 1.0 - s;
            } else {
                const double qa = fa / fc, r = fb / fc;
                p = s * (2.0 * half * qa * (qa - r) - (b - a) * (r - 1.0));
                q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
            }
            if (p > 0)
                q = -q;
            else
                p = -p;
            if (2.0 * p < std::fmin(3.0 * half * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = half;
                e = d;
            }
        } else {
            d = half;
            e = d;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol ? d : (half > 0 ? tol : -tol);
        fb = f(b);
        if (!std::isfinite(fb)) return std::nullopt;
    }
    return std::nullopt;
}

// Where f is largest in [a, b], for a function with one peak there: golden-section
// search down to `xTol`. Returns the place and the value.
template <class F>
std::pair<double, double> goldenMaximum(F&& f, double a, double b, double xTol) {
    constexpr double inv = 0.6180339887498949;  // (√5 − 1) / 2
    double x1 = b - inv * (b - a), x2 = a + inv * (b - a);
    double f1 = f(x1), f2 = f(x2);
    while (b - a > xTol) {
        if (f1 < f2) {
            a = x1;
            x1 = x2;
            f1 = f2;
            x2 = a + inv * (b - a);
            f2 = f(x2);
        } else {
            b = x2;
            x2 = x1;
            f2 = f1;
            x1 = b - inv * (b - a);
            f1 = f(x1);
        }
    }
    return f1 > f2 ? std::pair{x1, f1} : std::pair{x2, f2};
}

}  // namespace quarn
