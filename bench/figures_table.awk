# Reads the "name value" lines of every driver run and prints the medians
# as a Markdown table, each against its goal.

BEGIN { kRef = "floor_timer_cpu_pct" }

{ n[$1]++; v[$1, n[$1]] = $2 }

function median(key,    i, j, t, a, m) {
    m = n[key]
    if (m == 0) return "nan"
    for (i = 1; i <= m; i++) a[i] = v[key, i]
    for (i = 2; i <= m; i++)
        for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t }
    return m % 2 ? a[(m + 1) / 2] : (a[m / 2] + a[m / 2 + 1]) / 2
}

# op is "<", ">=" or "" (no goal: shown for information).
function row(label, value, fmt, op, limit, goal,    verdict) {
    verdict = "info"
    if (value == "nan") verdict = "missing"
    else if (op == "<") verdict = (value < limit) ? "PASS" : "FAIL"
    else if (op == ">=") verdict = (value >= limit) ? "PASS" : "FAIL"
    printf "| %s | %s | %s | %s |\n", label, (value == "nan" ? "—" : sprintf(fmt, value)), goal, verdict
}

END {
    print "| figure | median | goal | result |"
    print "|---|---|---|---|"
    row("Start-up: exec to first painted window (ms)", median("startup_ms"), "%.0f", "", 0, "—")
    row("Resident memory after start-up (MB)", median("rss_startup_mb"), "%.1f", "<", 80, "< 80")
    relative("CPU idle, port open, 5 ms poll (% of one core)", "idle_cpu_pct", 1.2)
    row("  reference: a 5 ms Qt timer doing nothing (% of one core)", median(kRef), "%.2f", "", 0, "—")
    row("CPU during a 300 ms command wait (% of one core)", median("wait_cpu_pct"), "%.2f", "<", 10, "< 10")
    row("  worst single wait (% of one core)", median("wait_cpu_pct_max"), "%.2f", "", 0, "—")
    row("  length of the wait (ms)", median("wait_ms"), "%.0f", "", 0, "—")
    row("  commands answered within the wait (%)", median("wait_answered_pct"), "%.0f", ">=", 100, "100")
    relative("CPU at 25.6 kB/s of text (% of one core)", "paced_text_cpu_pct", 3.5)
    row("CPU at 25.6 kB/s, hex display (% of one core)", median("paced_hex_cpu_pct"), "%.2f", "", 0, "—")
    flood("text")
    flood("hex")
    row("Resident memory after 15.36 MB of text (MB)", median("flood_text_rss_end_mb"), "%.1f", "<", 80, "< 80")
    row("  growth from the first tenth of that flood to its end (MB)",
        median("flood_text_rss_growth_mb"), "%.2f", "<", 2, "< 2 (flat)")
    row("Resident memory after the hex flood (MB)", median("flood_hex_rss_end_mb"), "%.1f", "<", 80, "< 80")
    row("Peak resident memory over a whole run (MB)", median("rss_peak_mb"), "%.1f", "<", 80, "< 80")
}

# What waking 200 times a second costs depends on the machine and drifts
# with its load, so these figures are judged against the reference row of
# their own run: the median of the runs' ratios.
function relative(label, key, factor,    i, k, q, verdict) {
    k = key "/" kRef
    for (i = 1; i <= n[key] && i <= n[kRef]; i++)
        if (v[kRef, i] > 0) v[k, ++n[k]] = v[key, i] / v[kRef, i]
    q = median(k)
    verdict = (median(key) == "nan" || q == "nan") ? "missing" : (q <= factor ? "PASS" : "FAIL")
    printf "| %s | %s | <= %.1f x reference (runs' median: %s) | %s |\n", label,
        (median(key) == "nan" ? "—" : sprintf("%.2f", median(key))), factor, (q == "nan" ? "—" : sprintf("%.2f x", q)),
        verdict
}

function flood(mode,    p) {
    p = "flood_" mode "_"
    row("Flood, " mode " display: received (kB/s)", median(p "bytes_per_s") / 1000, "%.0f", "", 0, "—")
    row("  poll ticks a second under flood", median(p "ticks_per_s"), "%.0f", ">=", 190,
        ">= 190 (the 5 ms poll keeps pace)")
    row("  CPU (% of one core)", median(p "cpu_pct"), "%.1f", "", 0, "—")
    row("  CPU seconds per MB received", median(p "cpu_s_per_mb"), "%.3f", "", 0, "—")
    row("  bytes a read, mean", median(p "mean_read"), "%.0f", "", 0, "—")
    row("  bytes a read, largest", median(p "largest_read"), "%.0f", "", 0, "—")
}
