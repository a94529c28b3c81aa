-- wrk script: every reply must be 200 and begin with TQ_BENCH_EXPECT; prints how many did
-- (TQ_GOOD) and did not (TQ_BAD) once the run is over.
local expect = os.getenv("TQ_BENCH_EXPECT") or ""
local threads = {}

function setup(thread)
    table.insert(threads, thread)
end

function init(args)
    good = 0
    bad = 0
end

function response(status, headers, body)
    if status == 200 and body:sub(1, #expect) == expect then
        good = good + 1
    else
        bad = bad + 1
    end
end

function done(summary, latency, requests)
    local total_good, total_bad = 0, 0
    for _, thread in ipairs(threads) do
        total_good = total_good + thread:get("good")
        total_bad = total_bad + thread:get("bad")
    end
    io.write(string.format("TQ_GOOD %d\nTQ_BAD %d\n", total_good, total_bad))
end
