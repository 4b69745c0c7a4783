#pragma once

#include "report/common/TrpError.h"

#include <QString>

class TrpTemplate;

// The readable text form of a template, for looking into .rpf files and for
// writing templates by hand. Every field of the file has a line, so that a
// template written as text and compiled with the engine's writer gives the
// bytes it was dumped from; a field left out keeps its default.
//
//   UseDefaultPrinter 0
//   TwoPass 0
//   Printer "Default printer"
//   Page
//     PaperSize 9
//     Margins 0 0 0 0
//   Memo 0                     an object and the index of its page
//     Name "Memo1"
//     Left 10
//     Memo "Name: [Name]"      one line of the text per line
//     Font "ＭＳ ゴシック" 10 0 0x000000 128
//   AddIn 0 "TrpShapeView"     add-ins keep their own fields as bytes
//     Tail "00"
//   Value "Title"
//     Typ 3
//     FieldName "'Monthly'"
//   Variable "Total"
//
// Texts are in double quotes with \" \\ \r \n \t and \xHH escapes;
// numbers are decimal or 0x hexadecimal; '#' starts a comment line.
class TrpTemplateText
{
public:
    [[nodiscard]] static QString write(const TrpTemplate &report);
    // False with the line number (from 1) as the error's position.
    [[nodiscard]] static bool read(const QString &text, TrpTemplate &report, TrpError &error);

    // A text in the quoted form and back.
    [[nodiscard]] static QString quoted(const QString &text);
    [[nodiscard]] static bool unquote(QStringView text, qsizetype &pos, QString &out);
};
