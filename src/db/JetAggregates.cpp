// Jet's aggregates that SQLite lacks: First and Last (the value of the first
// or last row the group reads, null included), and StDev, StDevP, Var, VarP.
#include "db/JetFunctionSupport.h"
#include "db/JetRuntime.h"

#include <cmath>

namespace veltrix::jet::runtime {

struct KeptValue {
    sqlite3_value* value; // a copy owned by the aggregate; null before the first row
    bool seen;
};

template <bool keepFirst> void KeepStep(sqlite3_context* context, int, sqlite3_value** argv) {
    auto* kept = static_cast<KeptValue*>(sqlite3_aggregate_context(context, sizeof(KeptValue)));
    if (!kept)
        return sqlite3_result_error_nomem(context);
    if (keepFirst && kept->seen)
        return;
    sqlite3_value* copy = sqlite3_value_dup(argv[0]);
    if (!copy)
        return sqlite3_result_error_nomem(context);
    sqlite3_value_free(kept->value);
    kept->value = copy;
    kept->seen = true;
}

void KeepFinal(sqlite3_context* context) {
    auto* kept = static_cast<KeptValue*>(sqlite3_aggregate_context(context, 0));
    if (!kept || !kept->value)
        return sqlite3_result_null(context);
    sqlite3_result_value(context, kept->value);
    sqlite3_value_free(kept->value);
    kept->value = nullptr;
}

// Welford's running mean and sum of squared deviations.
struct Spread {
    int64_t count;
    double mean;
    double squares;
};

void SpreadStep(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue value = ReadValue(argv[0]);
    if (value.IsNull())
        return;
    Number number;
    if (!ToNumber(value, number))
        return ResultError(context, kTypeMismatch);
    auto* spread = static_cast<Spread*>(sqlite3_aggregate_context(context, sizeof(Spread)));
    if (!spread)
        return sqlite3_result_error_nomem(context);
    double x = number.AsDouble();
    ++spread->count;
    double delta = x - spread->mean;
    spread->mean += delta / static_cast<double>(spread->count);
    spread->squares += delta * (x - spread->mean);
}

template <bool sample, bool root> void SpreadFinal(sqlite3_context* context) {
    auto* spread = static_cast<Spread*>(sqlite3_aggregate_context(context, 0));
    int64_t needed = sample ? 2 : 1;
    if (!spread || spread->count < needed)
        return sqlite3_result_null(context);
    double variance = spread->squares / static_cast<double>(spread->count - (sample ? 1 : 0));
    ResultNumber(context, Number::Real(root ? std::sqrt(variance) : variance));
}

template void KeepStep<true>(sqlite3_context*, int, sqlite3_value**);
template void KeepStep<false>(sqlite3_context*, int, sqlite3_value**);
template void SpreadFinal<true, true>(sqlite3_context*);
template void SpreadFinal<false, true>(sqlite3_context*);
template void SpreadFinal<true, false>(sqlite3_context*);
template void SpreadFinal<false, false>(sqlite3_context*);

} // namespace veltrix::jet::runtime
