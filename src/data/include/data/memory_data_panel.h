// A data panel held in memory: the tests' panel, and a scratch panel for code
// that builds a sheet before it reaches the window.
#pragma once

#include <array>
#include <string>
#include <unordered_map>

#include "data/data_panel.h"

namespace qv {

class MemoryDataPanel final : public DataPanel {
 public:
  // Starts with the window's design texts: kind 0, Points "10", the bounds
  // 0..10 and 11 rows on every axis, and an empty sheet.
  MemoryDataPanel();

  Long KindIndex() const override { return kind_; }
  void SetKindIndex(Long index) override { kind_ = index; }
  std::string Text(int box) const override;
  void SetText(int box, const std::string& text) override;
  std::string Cell(Long row, Long column) const override;
  void SetCell(Long row, Long column, const std::string& text) override;

  // Writes the texts of one sheet row, columns 1 upward.
  void SetRow(Long row, std::initializer_list<std::string> texts);

 private:
  static bool InSheet(Long row, Long column);

  Long kind_ = 0;
  std::array<std::string, 10> boxes_;
  // Sparse: most documents use a small part of the 20000 rows.
  std::unordered_map<Long, std::string> cells_;
};

}  // namespace qv
