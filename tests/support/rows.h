// A data table's columns declared in one line: addColumns<QString, int>({"form", "steps"}).
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

}  // namespace quiravel::test
