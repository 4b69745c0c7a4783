#pragma once

class QMenuBar;

// The plan editors' menu 編集 with cut, copy and paste on the focused line
// edit or memo.
namespace ClipboardMenu {

void add(QMenuBar *bar);

} // namespace ClipboardMenu
