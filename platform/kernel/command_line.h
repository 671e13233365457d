#pragma once
// Command lines the platform's way: one text that starts with the program
// path and that each program splits into arguments itself. A program that
// the layer starts receives its command line verbatim through an environment
// variable (the host only passes argument vectors), together with the same
// line split into argv; a program started any other way has its command line
// made up from argv.
#include <string>
#include <string_view>
#include <vector>

namespace quorla {

// The variable that hands a started program its command line. The layer
// removes it from its own environment while it loads, so the program's own
// children never inherit it.
inline constexpr char kCommandLineVariable[] = "QUORLA_COMMAND_LINE";

// Splits a command line into arguments by the platform's rules. The first
// argument (the program) ends at the next double quote when it starts with
// one, else at the first blank or tab, and knows no escapes. Every further
// argument: blanks and tabs separate arguments outside double quotes; a
// double quote starts or ends quoting; 2n backslashes before a double quote
// give n backslashes and the quote still starts or ends quoting, 2n+1 give n
// backslashes and a literal double quote; other backslashes are literal;
// inside quotes two double quotes give one literal double quote.
std::vector<std::u16string> SplitCommandLine(std::u16string_view line);

// `"<program>" <parameters>`, or `"<program>"` when there are no parameters.
std::u16string ComposeCommandLine(std::u16string_view program, std::u16string_view parameters);

// The command line of a program started without one handed over: its argv[0]
// in double quotes, then the other arguments, each after one blank, as they
// are.
std::u16string CommandLineFromArguments(const std::vector<std::u16string>& arguments);

}  // namespace quorla
