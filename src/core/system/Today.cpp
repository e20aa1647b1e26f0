#include "Today.h"

namespace {
QDate g_fixed;
}

namespace Today {
QDate date() { return g_fixed.isValid() ? g_fixed : QDate::currentDate(); }
void setForTesting(const QDate &date) { g_fixed = date; }
} // namespace Today
