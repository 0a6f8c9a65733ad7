#pragma once

// Row and cell editing of the member table as text operations, apart from the grid widget: the
// window reads its cells, runs one of these and shows the result as one undoable step. Rows and
// columns count from 0 here (row 0 is the table's row 1). The table grows as rows come in and
// keeps its rows as they go.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "classgen/class_description.h"

namespace zandrel {

using MemberTable = std::vector<MemberCells>;

struct CellPosition {
  int Row = 0;
  int Column = 0;
};

// The table with rows put in at row at, the rows from there moving down; it grows by the rows
// that would push one holding text out past its last row. Nothing when at is outside the table.
std::optional<MemberTable> InsertRows(const MemberTable& table, int at,
                                      const std::vector<MemberCells>& rows);
// A copy of the rows given, put in right below the last of them.
std::optional<MemberTable> DuplicateRows(const MemberTable& table, const std::vector<int>& rows);
// The rows taken out, the rows below moving up and empty rows coming in at the end.
MemberTable DeleteRows(const MemberTable& table, const std::vector<int>& rows);
// The rows moved one row up (step -1) or down (step 1), each over its neighbour; nothing when one
// of them is already at that end of the table.
std::optional<MemberTable> MoveRows(const MemberTable& table, const std::vector<int>& rows,
                                    int step);
MemberTable EmptyCells(const MemberTable& table, const std::vector<CellPosition>& cells);

// True when the text holds a tab or a line break, which no cell may hold.
bool SpansCells(std::string_view text);

// Tab-separated text: one line per row, cells separated by tabs. One line break at the end ends
// the last line and adds no row.
std::vector<std::vector<std::string>> SplitCells(std::string_view text);

struct PastedCells {
  MemberTable Table;
  CellPosition First;  // the cells that took text: from First, Rows by Columns
  int Rows = 0;
  int Columns = 0;
  bool LeftOut = false;  // some text fell beyond the last column and was dropped
};
// The text spread over the cells from at rightwards and downwards, as spreadsheets paste; the
// table grows to take every line.
PastedCells PasteCells(const MemberTable& table, CellPosition at, std::string_view text);

// The smallest block holding the cells, as tab-separated text with a line break after each row.
std::string CopyCells(const MemberTable& table, const std::vector<CellPosition>& cells);

}  // namespace zandrel
