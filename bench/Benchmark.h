#pragma once

#include <QString>
#include <functional>
#include <vector>

// One benchmark: runs and reports its figures as "name: value" lines.
struct Benchmark
{
    const char *name;
    std::function<void()> run;

    static std::vector<Benchmark> &all()
    {
        static std::vector<Benchmark> list;
        return list;
    }
    struct Register
    {
        Register(const char *name, std::function<void()> run) { all().push_back({name, std::move(run)}); }
    };
};

// Prints one figure.
void report(const char *name, double value, int decimals = 3);
