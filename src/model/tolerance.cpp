// The tolerance study: the draws, the readings shared out over the cores, and the
// statistics of each outcome at each working point.
#include "tolerance.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

#include "mid_gear.h"
#include "sensitivity.h"

namespace quarn {
namespace {

// Each sample's own generator is seeded from the study's seed and the sample's number
// through SplitMix64, so neighbouring samples get unrelated streams and a sample draws
// the same dimensions whichever core runs it.
std::uint64_t sampleSeed(std::uint64_t seed, int sample) {
    std::uint64_t z = seed + 0x9E3779B97F4A7C15ull * (static_cast<std::uint64_t>(sample) + 1);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// A double in [0, 1) from the top 53 bits: the standard distributions' algorithms are
// left to each library, and the same seed must give the same draws everywhere.
double unit(std::mt19937_64& g) { return static_cast<double>(g() >> 11) * 0x1.0p-53; }

// A deviation within ±t. The normal one has t at three standard deviations; a draw
// beyond t (one in 370) is drawn again, as a part outside tolerance is rejected.
double deviation(std::mt19937_64& g, double t, ToleranceDistribution d) {
    if (d == ToleranceDistribution::Uniform) return t * (2 * unit(g) - 1);
    for (;;) {
        // Box–Muller: two uniforms to one standard normal.
        const double u = 1 - unit(g), v = unit(g);
        const double z = std::sqrt(-2 * std::log(u)) * std::cos(2 * 3.14159265358979323846 * v);
        if (std::abs(z) <= 3) return t * z / 3;
    }
}

double quantile(const std::vector<double>& sorted, double p) {
    const double at = p * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(at));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (at - static_cast<double>(below)) * (sorted[above] - sorted[below]);
}

// Solves a x = b by Gaussian elimination with partial pivoting; false when singular.
bool solveLinear(std::vector<double>& a, std::vector<double>& b, int n) {
    for (int c = 0; c < n; ++c) {
        int pivot = c;
        for (int r = c + 1; r < n; ++r)
            if (std::abs(a[r * n + c]) > std::abs(a[pivot * n + c])) pivot = r;
        if (!(std::abs(a[pivot * n + c]) > 0)) return false;
        if (pivot != c) {
            for (int k = 0; k < n; ++k) std::swap(a[c * n + k], a[pivot * n + k]);
            std::swap(b[c], b[pivot]);
        }
        for (int r = c + 1; r < n; ++r) {
            const double f = a[r * n + c] / a[c * n + c];
            for (int k = c; k < n; ++k) a[r * n + k] -= f * a[c * n + k];
            b[r] -= f * b[c];
        }
    }
    for (int c = n - 1; c >= 0; --c) {
        double s = b[c];
        for (int k = c + 1; k < n; ++k) s -= a[c * n + k] * b[k];
        b[c] = s / a[c * n + c];
    }
    return true;
}

// Each dimension's share of an outcome's spread. The outcome is fitted by least squares
// as a straight line in all the drawn deviations at once; the dimensions are drawn
// independently, so the variance the fit explains splits into one part per dimension,
// slope² × variance of its deviation, and each part over their sum is its share. A fit
// rather than the sensitivity study's slopes: it reads the very gears drawn, at the
// working points, and its R² says how far a straight line tells the story.
void shareOut(OutcomeStats& s, const std::vector<const DimensionDescriptor*>& allDims,
              const std::vector<std::vector<double>>& allDevs, const std::vector<int>& rows,
              const std::vector<double>& y) {
    const int n = static_cast<int>(rows.size());
    // A tolerance finer than a float can store in a dimension draws no deviation at all:
    // such a column would make the fit singular, and it has no share anyway.
    std::vector<const DimensionDescriptor*> dims;
    std::vector<int> column;
    for (std::size_t j = 0; j < allDims.size(); ++j) {
        bool moves = false;
        for (int r : rows) moves = moves || allDevs[r][j] != allDevs[rows[0]][j];
        if (moves) {
            dims.push_back(allDims[j]);
            column.push_back(static_cast<int>(j));
        }
    }
    const int k = static_cast<int>(dims.size());
    if (k == 0 || n <= k + 1) return;
    const auto dev = [&](int i, int j) { return allDevs[rows[i]][column[j]]; };
    std::vector<double> meanX(k, 0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < k; ++j) meanX[j] += dev(i, j) / n;
    const double meanY = s.mean;
    std::vector<double> xtx(static_cast<std::size_t>(k) * k, 0), xty(k, 0);
    for (int i = 0; i < n; ++i) {
        for (int a = 0; a < k; ++a) {
            const double xa = dev(i, a) - meanX[a];
            xty[a] += xa * (y[i] - meanY);
            for (int b = 0; b <= a; ++b) xtx[a * k + b] += xa * (dev(i, b) - meanX[b]);
        }
    }
    for (int a = 0; a < k; ++a)
        for (int b = 0; b < a; ++b) xtx[b * k + a] = xtx[a * k + b];
    std::vector<double> variance(k);
    for (int j = 0; j < k; ++j) variance[j] = xtx[j * k + j] / n;
    std::vector<double> slope = xty;
    if (!solveLinear(xtx, slope, k)) return;
    double total = 0, residual = 0, spread = 0;
    for (int j = 0; j < k; ++j) total += slope[j] * slope[j] * variance[j];
    for (int i = 0; i < n; ++i) {
        double fit = meanY;
        for (int j = 0; j < k; ++j) fit += slope[j] * (dev(i, j) - meanX[j]);
        residual += (y[i] - fit) * (y[i] - fit);
        spread += (y[i] - meanY) * (y[i] - meanY);
    }
    s.explained = spread > 0 ? std::clamp(1 - residual / spread, 0.0, 1.0) : 0;
    if (!(total > 0)) return;
    for (int j = 0; j < k; ++j) s.shares.push_back({dims[j], slope[j] * slope[j] * variance[j] / total});
    std::stable_sort(s.shares.begin(), s.shares.end(),
                     [](const DimensionShare& a, const DimensionShare& b) { return a.share > b.share; });
}

bool outsideLimit(ToleranceOutcome o, double v, const ToleranceLimits& l) {
    if (o == ToleranceOutcome::CutOffDifference) return std::abs(v) > l.cutOffDifference;
    return v < l.leadLow || v > l.leadHigh;
}

OutcomeStats statistics(ToleranceOutcome o, std::vector<double> values, const std::vector<int>& rows,
                        const ToleranceOptions& opt, const std::vector<const DimensionDescriptor*>& dims,
                        const std::vector<std::vector<double>>& devs) {
    OutcomeStats s;
    s.count = static_cast<int>(values.size());
    if (values.empty()) return s;
    const double n = static_cast<double>(values.size());
    s.mean = std::accumulate(values.begin(), values.end(), 0.0) / n;
    double sq = 0;
    int outside = 0;
    for (double v : values) {
        sq += (v - s.mean) * (v - s.mean);
        outside += outsideLimit(o, v, opt.limits);
    }
    s.sd = values.size() > 1 ? std::sqrt(sq / (n - 1)) : 0;
    s.outside = outside / n;
    shareOut(s, dims, devs, rows, values);
    std::sort(values.begin(), values.end());
    s.p5 = quantile(values, 0.05);
    s.p95 = quantile(values, 0.95);
    s.histLow = values.front();
    s.histHigh = values.back();
    if (!(s.histHigh > s.histLow)) {
        // Every sample alike: one bar in the middle of a small span.
        const double pad = std::max(1e-6, std::abs(s.histLow) * 1e-6);
        s.histLow -= pad;
        s.histHigh += pad;
    }
    const int bins = std::max(1, opt.bins);
    s.histogram.assign(bins, 0);
    for (double v : values) {
        const int b = static_cast<int>((v - s.histLow) / (s.histHigh - s.histLow) * bins);
        ++s.histogram[std::clamp(b, 0, bins - 1)];
    }
    return s;
}

std::optional<double> outcomeOf(ToleranceOutcome o, const PointEvents& e) {
    switch (o) {
        case ToleranceOutcome::CutOffDifference:
            if (e.cutOff[0] && e.cutOff[1]) return *e.cutOff[0] - *e.cutOff[1];
            return std::nullopt;
        case ToleranceOutcome::LeadFront: return e.lead[0];
        case ToleranceOutcome::LeadRear: return e.lead[1];
    }
    return std::nullopt;
}

// One drawn gear read at every point: its outcomes (NaN where there is none) and
// whether it failed there.
struct SampleReading {
    std::vector<double> devs;
    std::vector<std::array<double, ToleranceOutcomeCount>> values;
    std::vector<char> failed;
};

}  // namespace

const char* distributionName(ToleranceDistribution d) {
    switch (d) {
        case ToleranceDistribution::Uniform: return "uniform";
        case ToleranceDistribution::Normal: return "normal";
    }
    return "uniform";
}

const char* toleranceOutcomeName(ToleranceOutcome o) {
    switch (o) {
        case ToleranceOutcome::CutOffDifference: return "cut-off difference";
        case ToleranceOutcome::LeadFront: return "lead front";
        case ToleranceOutcome::LeadRear: return "lead rear";
    }
    return "";
}

const char* toleranceOutcomeKey(ToleranceOutcome o) {
    switch (o) {
        case ToleranceOutcome::CutOffDifference: return "cutoff_diff";
        case ToleranceOutcome::LeadFront: return "lead_front";
        case ToleranceOutcome::LeadRear: return "lead_rear";
    }
    return "";
}

ToleranceResult runToleranceStudy(const GearModel& m, const ToleranceOptions& o, const WorkControl& control) {
    ToleranceResult out;
    out.samples = o.samples;
    out.seed = o.seed;
    out.distribution = o.distribution;
    out.limits = o.limits;
    GearModel base = m;
    CalcCentRevArm(base);
    for (const auto& d : allDimensions())
        if (!readingIgnores(d) && o.tolerances.of(d) > 0) out.sampled.push_back(&d);

    // The settings and the nominal events are read once, on the design as it stands.
    std::vector<PointEvents> near;
    for (const ResolvedPoint& p : resolveWorkingPoints(base, o.points)) {
        if (!p.revArm) {
            out.problem = p.problem;
            return out;
        }
        TolerancePointResult r;
        r.point = p;
        const PointEvents e = pointEventsSwept(base, *p.revArm);
        if (!e.possible) {
            out.problem = workingPointName(p.point) + ": the design as it stands cannot be put together there";
            return out;
        }
        for (int k = 0; k < ToleranceOutcomeCount; ++k)
            r.outcomes[k].nominal = outcomeOf(static_cast<ToleranceOutcome>(k), e);
        near.push_back(e);
        out.points.push_back(std::move(r));
    }
    if (o.samples <= 0 || out.points.empty()) {
        out.problem = "nothing to draw: give samples and a working point";
        return out;
    }

    const std::size_t points = out.points.size(), dims = out.sampled.size();
    std::vector<SampleReading> readings(o.samples);
    const bool finished = runParallel(o.samples, control, [&](int i) {
        SampleReading& r = readings[i];
        std::mt19937_64 g(sampleSeed(o.seed, i));
        GearModel copy = base;
        r.devs.resize(dims);
        for (std::size_t j = 0; j < dims; ++j) {
            const DimensionDescriptor& d = *out.sampled[j];
            const float was = dimensionValue(base, d);
            setDimensionValue(copy, d, static_cast<float>(was + deviation(g, o.tolerances.of(d), o.distribution)));
            // The part as stored: what the fit must see is the deviation the gear has.
            r.devs[j] = double(dimensionValue(copy, d)) - double(was);
        }
        r.values.resize(points);
        r.failed.assign(points, 0);
        for (std::size_t p = 0; p < points; ++p) {
            const ResolvedPoint& at = out.points[p].point;
            const PointEvents e = pointEventsNear(copy, *at.revArm, near[p], ToleranceSampleEvents);
            // A cut-off the design has and the drawn gear lost is as bad as a gear that jams.
            const bool lost = (near[p].cutOff[0] && !e.cutOff[0]) || (near[p].cutOff[1] && !e.cutOff[1]);
            r.failed[p] = !e.possible || lost;
            for (int k = 0; k < ToleranceOutcomeCount; ++k) {
                const auto v = e.possible ? outcomeOf(static_cast<ToleranceOutcome>(k), e) : std::nullopt;
                r.values[p][k] = v ? *v : std::nan("");
            }
        }
    });
    if (!finished) return out;

    std::vector<std::vector<double>> devs(o.samples);
    for (int i = 0; i < o.samples; ++i) {
        devs[i] = std::move(readings[i].devs);
        out.failures += std::any_of(readings[i].failed.begin(), readings[i].failed.end(), [](char f) { return f; });
    }
    for (std::size_t p = 0; p < points; ++p) {
        TolerancePointResult& r = out.points[p];
        for (int k = 0; k < ToleranceOutcomeCount; ++k) {
            std::vector<double> values;
            std::vector<int> rows;
            for (int i = 0; i < o.samples; ++i) {
                if (k == 0) r.failures += readings[i].failed[p];
                const double v = readings[i].values[p][k];
                if (readings[i].failed[p] || !std::isfinite(v)) continue;
                values.push_back(v);
                rows.push_back(i);
            }
            const auto nominal = r.outcomes[k].nominal;
            r.outcomes[k] = statistics(static_cast<ToleranceOutcome>(k), std::move(values), rows, o, out.sampled, devs);
            r.outcomes[k].nominal = nominal;
        }
    }
    out.complete = true;
    return out;
}

}  // namespace quarn
