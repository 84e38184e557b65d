// How long TranslateJetSql takes for the statements the program and its users
// run most: the import translates one INSERT per new draw-file line, so its
// form must stay at a few microseconds.
#include "db/JetDialect.h"

#include <benchmark/benchmark.h>

namespace {

class IssueIsUnique : public veltrix::JetSchema {
public:
    bool IsUniqueColumn(std::string_view, std::string_view column) const override {
        return column == "qs";
    }
};

void Translate(benchmark::State& state, const char* sql) {
    IssueIsUnique schema;
    for (auto _ : state) {
        veltrix::JetTranslation translation = veltrix::TranslateJetSql(sql, &schema);
        benchmark::DoNotOptimize(translation);
        if (!translation.ok)
            state.SkipWithError(translation.error.c_str());
    }
}

BENCHMARK_CAPTURE(Translate, select_star, "select * from 3d");
BENCHMARK_CAPTURE(Translate, newest_issue, "select top 1 qs from dlt order by qs desc");
BENCHMARK_CAPTURE(Translate, import_insert,
                  "INSERT INTO dlt (QS,RQ,H1,H2,H3,H4,H5,L1,L2,T)VALUES "
                  "('26095','2026-08-22',04,06,08,10,14,04,05\r\n,'')");
BENCHMARK_CAPTURE(Translate, bulletin_row,
                  "select top 1 ' '+format(rq,'mm.dd')+' '+right(qs,5)+'│'+format(h1,'0#'),"
                  "format(h2,'0#'),format(h3,'0#'),format(h4,'0#'),format(h5,'0#')+' + '+"
                  "format(l1,'0#')+' '+format(l2,'0#'),' │' from dlt order by qs desc");
BENCHMARK_CAPTURE(Translate, recent_draws,
                  "select top 30 format(h1,'0#'),format(h2,'0#'),format(h3,'0#'),format(h4,'0#'),"
                  "format(h5,'0#'),format(l1,'0#'),format(l2,'0#') from dlt order by qs desc");
BENCHMARK_CAPTURE(Translate, counts_per_number,
                  "select n, count(*) from (select h1 as n from dlt union all select h2 from dlt "
                  "union all select h3 from dlt union all select h4 from dlt union all select h5 "
                  "from dlt) group by n order by count(*) desc");
BENCHMARK_CAPTURE(Translate, odd_even_with_iif,
                  "select sum(iif(h1 mod 2 = 1, 1, 0)), sum(iif(h1 mod 2 = 0, 1, 0)) from dlt "
                  "where qs between '07001' and '26095'");
BENCHMARK_CAPTURE(Translate, top_with_ties, "select top 10 qs, h1 from p3 order by h1 desc");

} // namespace
