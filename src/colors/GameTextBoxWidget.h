#pragma once

class QTextEdit;

// The game's mid-grey behind a box of names and white for its uncoloured characters, kept under any style,
// palette, style sheet or dark theme: the colours only read as they will in the game on that grey.
void KeepGameBackdrop(QTextEdit *box);

// A text box drawn like the game draws a name: bold, on the game's grey, white where no colour is set.
void StyleAsGameText(QTextEdit *box);
