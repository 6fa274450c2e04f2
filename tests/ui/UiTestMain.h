// SPDX-FileCopyrightText: 2026 Разработчики Vibrona
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <functional>
#include <memory>

// The widget tests share one program; each test class registers here under its name,
// and the program runs the class named first on its command line, in a fresh process
// as every ctest entry is.
using TUiTestFactory = std::function<std::unique_ptr<QObject>()>;
bool RegisterUiTest(const char* AName, TUiTestFactory AFactory);

#define VIBRONA_UI_TEST(Name, Class)                                                               \
    [[maybe_unused]] static const bool Name##Registered =                                          \
        RegisterUiTest(#Name, [] { return std::make_unique<Class>(); });
