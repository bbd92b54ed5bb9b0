"""The browser tests' checks: each failed one is printed at once and counted."""

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, flush=True)
    return condition
