// The .ras reader on any bytes; whatever it reads must survive a save and a reload.
#include "animation/AnimationFile.h"
#include "platform/TextFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QVector<AnimationLine> lines = ParseAnimationFile(SplitLines(DecodeAnsi(bytes), LineBreaks::CrOrCrLf));
    const QVector<AnimationLine> again =
        ParseAnimationFile(SplitLines(AnimationFileText(lines), LineBreaks::CrOrCrLf));
    if (again != lines)
        std::abort();
    return 0;
}
