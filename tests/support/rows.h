// A data table's columns declared in one line, addColumns<QString, int>({"form", "steps"}), and
// a row in one call, dataRow("Form1, 3 steps", "Form1", 3).
#pragma once

#include <QTest>

#include <array>
#include <cstddef>

namespace quiravel::test {

template <typename... Columns>
void addColumns(const std::array<const char*, sizeof...(Columns)>& names) {
  std::size_t column = 0;
  (QTest::addColumn<Columns>(names[column++]), ...);
}

template <typename... Values>
void dataRow(const char* name, const Values&... values) {
  (QTest::newRow(name) << ... << values);
}

}  // namespace quiravel::test
