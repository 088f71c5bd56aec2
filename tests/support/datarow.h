// One data row in one call: row("name", a, b, c) is QTest::newRow("name") << a << b << c. Arguments are
// taken by value, so string literals arrive as text.
#pragma once

#include <QTest>

template <typename... T> void row(const char *name, T... values)
{
    (QTest::newRow(name) << ... << values);
}
