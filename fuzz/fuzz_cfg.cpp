// The game-script importer on any bytes: never fails, stays within the line
// limit, and every imported line has one of the program's Actions, a Text
// without double quotes and a Time that is empty or a number.
#include "animation/AnimationLine.h"
#include "animation/AnimationModel.h"
#include "colors/Numbers.h"
#include "platform/TextFile.h"
#include "script/ScriptImport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ScriptRows rows = ParseScript(SplitLines(DecodeAnsi(bytes), LineBreaks::CrLfCrOrLf));
    if (rows.lines.size() > AnimationModel::MaxLines)
        std::abort();
    for (const AnimationLine &line : rows.lines) {
        if (!IsAction(line.action) || line.text.contains(QLatin1Char('"'))
            || (!line.time.isEmpty() && !IsNumber(line.time)))
            std::abort();
    }
    return 0;
}
