#pragma once

#include <QString>
#include <QStringList>

// The history export: one HTML table of every stored screening of the given children.
// A line belongs to a child when its person part (before "|") is exactly the child's key,
// the rule the list, the detail page and the delete use too; lines are taken in file
// order. Lines that are not one person part of three fields and one result part of 6, 8 or
// 9 fields are left out. Cell texts are HTML-escaped.
QString exportTable(const QString& historyText, const QStringList& childKeys);
