#pragma once

class QTextEdit;

// A text box drawn like the game draws a name: bold, on grey, white where no
// colour is set.
void StyleAsGameText(QTextEdit *box);
