// The .ras reader on any bytes; whatever it reads must survive a save and a reload, and reading the text
// straight gives the same lines as reading it line by line.
#include "animation/AnimationFile.h"
#include "platform/TextFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString text = DecodeAnsi(bytes);
    const QVector<AnimationLine> lines = ParseAnimationFile(SplitLines(text, LineBreaks::CrOrCrLf));
    if (ParseAnimationText(text) != lines)
        std::abort();
    const QVector<AnimationLine> again =
        ParseAnimationFile(SplitLines(AnimationFileText(lines), LineBreaks::CrOrCrLf));
    if (again != lines)
        std::abort();
    return 0;
}
