#pragma once
// nuv-run's messages: the environment's texts (by string-table entry), one
// line each on standard error, after the program's name. Paths are not
// shortened: the line names the file whole.
#include <initializer_list>
#include <string>

#include "shell/MessageFormat.h"

// "nuv-run: <entry formatted with args>[ (<detail>)]"
void ReportMessage(int id, std::initializer_list<FormatArg> args = {}, const std::string& detail = {});
// "nuv-run: <text>"
void ReportLine(const std::string& text);
