#pragma once
// The seven columns of the print-log list in the Details dialog, in the order of a record's
// fields: date, time, the three page counts, user and remark.

#include <string>
#include <vector>

#include "details/EditableList.h"
#include "log/DataFile.h"

namespace pw {

inline constexpr int kDetailsColumnCount = 7;

// Titles from the string table; the date and time defaults are those of the moment of the call.
std::vector<ColumnInfo> detailsColumns(const std::string& today, const std::string& now);

// The list's width unit: one and a half average characters of its font, in whole pixels.
int charUnit(int averageCharWidth);

std::vector<std::string> recordCells(PrintRecord record);
PrintRecord cellsRecord(const CellTable& table, int row);

// A file-type filter of description and pattern pairs separated by '|' (ending in "||") in the
// form of Qt's file dialogs: "Description (patterns)" entries separated by ";;".
std::string fileDialogFilter(const std::string& pairs);

}  // namespace pw
