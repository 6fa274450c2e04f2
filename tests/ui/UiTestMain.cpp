// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#include "UiTestMain.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

std::map<std::string, TUiTestFactory>& Registry() {
    static std::map<std::string, TUiTestFactory> Tests;
    return Tests;
}

} // namespace

bool RegisterUiTest(const char* AName, TUiTestFactory AFactory) {
    return Registry().emplace(AName, std::move(AFactory)).second;
}

// As Qt Test's own main for widgets, with the test class taken from the first argument;
// the rest are Qt Test's.
int main(int argc, char** argv) {
    const auto Found = argc >= 2 ? Registry().find(argv[1]) : Registry().end();
    if (Found == Registry().end()) {
        std::fputs("usage: vibrona_widget_tests TEST [Qt Test options]\ntests:", stderr);
        for (const auto& [Name, Factory] : Registry())
            std::fprintf(stderr, " %s", Name.c_str());
        std::fputs("\n", stderr);
        return 2;
    }
    std::vector<char*> Args{argv[0]};
    Args.insert(Args.end(), argv + 2, argv + argc);
    int Count = static_cast<int>(Args.size());
    Args.push_back(nullptr);
    QApplication App(Count, Args.data());
    App.setAttribute(Qt::AA_Use96Dpi, true);
    const std::unique_ptr<QObject> Test = Found->second();
    return QTest::qExec(Test.get(), Count, Args.data());
}
