#pragma once

#include <QDate>

// "Today" for everything that stores or compares dates; tests fix it.
namespace Today {
QDate date();
void setForTesting(const QDate &date);   // an invalid date goes back to the clock
} // namespace Today
