#include "shell/member_table.h"

#include <algorithm>

namespace zandrel {

namespace {

bool Empty(const MemberCells& row) {
  return std::all_of(row.begin(), row.end(), [](const std::string& cell) { return cell.empty(); });
}

int Rows(const MemberTable& table) { return static_cast<int>(table.size()); }

bool InTable(const MemberTable& table, CellPosition cell) {
  return cell.Row >= 0 && cell.Row < Rows(table) && cell.Column >= 0 &&
         cell.Column < MemberGridColumns;
}

// The valid rows among these, each once, top first.
std::vector<int> Sorted(const MemberTable& table, std::vector<int> rows) {
  std::erase_if(rows, [&table](int row) { return row < 0 || row >= Rows(table); });
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

}  // namespace

std::optional<MemberTable> InsertRows(const MemberTable& table, int at,
                                      const std::vector<MemberCells>& rows) {
  if (at < 0 || at > Rows(table)) return std::nullopt;
  MemberTable result = table;
  result.insert(result.begin() + at, rows.begin(), rows.end());
  while (result.size() > table.size() && Empty(result.back())) result.pop_back();
  return result;
}

std::optional<MemberTable> DuplicateRows(const MemberTable& table, const std::vector<int>& rows) {
  const std::vector<int> sorted = Sorted(table, rows);
  if (sorted.empty()) return std::nullopt;
  std::vector<MemberCells> copies;
  copies.reserve(sorted.size());
  for (int row : sorted) copies.push_back(table[row]);
  return InsertRows(table, sorted.back() + 1, copies);
}

MemberTable DeleteRows(const MemberTable& table, const std::vector<int>& rows) {
  const std::vector<int> sorted = Sorted(table, rows);
  MemberTable result(table.size());
  int kept = 0;
  for (int row = 0; row < Rows(table); ++row)
    if (!std::binary_search(sorted.begin(), sorted.end(), row)) result[kept++] = table[row];
  return result;
}

std::optional<MemberTable> MoveRows(const MemberTable& table, const std::vector<int>& rows,
                                    int step) {
  std::vector<int> sorted = Sorted(table, rows);
  if (sorted.empty() || (step != -1 && step != 1)) return std::nullopt;
  if (step < 0 ? sorted.front() == 0 : sorted.back() == Rows(table) - 1) return std::nullopt;
  // Moving the row nearest the end first carries a block of rows along as one.
  if (step > 0) std::reverse(sorted.begin(), sorted.end());
  MemberTable result = table;
  for (int row : sorted) std::swap(result[row], result[row + step]);
  return result;
}

MemberTable EmptyCells(const MemberTable& table, const std::vector<CellPosition>& cells) {
  MemberTable result = table;
  for (const CellPosition& cell : cells)
    if (InTable(result, cell)) result[cell.Row][cell.Column].clear();
  return result;
}

bool SpansCells(std::string_view text) { return text.find_first_of("\t\r\n") != text.npos; }

std::vector<std::vector<std::string>> SplitCells(std::string_view text) {
  std::vector<std::vector<std::string>> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    std::vector<std::string>& cells = lines.emplace_back();
    for (std::size_t cell = start;;) {
      const std::size_t tab = std::min(text.find('\t', cell), end);
      cells.emplace_back(text.substr(cell, tab - cell));
      if (tab == end) break;
      cell = tab + 1;
    }
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

PastedCells PasteCells(const MemberTable& table, CellPosition at, std::string_view text) {
  PastedCells pasted{table, at};
  const std::vector<std::vector<std::string>> lines = SplitCells(text);
  for (std::size_t line = 0; line < lines.size(); ++line) {
    const int row = at.Row + static_cast<int>(line);
    for (std::size_t cell = 0; cell < lines[line].size(); ++cell) {
      const int column = at.Column + static_cast<int>(cell);
      if (column >= MemberGridColumns) {
        pasted.LeftOut = pasted.LeftOut || !lines[line][cell].empty();
        continue;
      }
      if (row >= Rows(pasted.Table)) pasted.Table.resize(static_cast<std::size_t>(row) + 1);
      pasted.Table[row][column] = lines[line][cell];
      pasted.Rows = std::max(pasted.Rows, row - at.Row + 1);
      pasted.Columns = std::max(pasted.Columns, column - at.Column + 1);
    }
  }
  return pasted;
}

std::string CopyCells(const MemberTable& table, const std::vector<CellPosition>& cells) {
  if (cells.empty()) return {};
  CellPosition first = cells.front();
  CellPosition last = first;
  for (const CellPosition& cell : cells) {
    first = {std::min(first.Row, cell.Row), std::min(first.Column, cell.Column)};
    last = {std::max(last.Row, cell.Row), std::max(last.Column, cell.Column)};
  }
  first = {std::max(first.Row, 0), std::max(first.Column, 0)};
  last = {std::min(last.Row, Rows(table) - 1), std::min(last.Column, MemberGridColumns - 1)};
  std::string text;
  for (int row = first.Row; row <= last.Row; ++row) {
    for (int column = first.Column; column <= last.Column; ++column) {
      if (column > first.Column) text += '\t';
      text += table[row][column];
    }
    text += '\n';
  }
  return text;
}

}  // namespace zandrel
