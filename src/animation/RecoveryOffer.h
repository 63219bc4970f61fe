#pragma once

#include <QString>

#include <functional>

class Prompts;
struct RecoveredWork;

// Offers the recovery files no running copy holds, newest first: those of copies that are gone, and those a
// copy was asking about when it was killed. Each file's lock is taken before its question, so two copies
// starting together can't both offer it, and let go afterwards. An empty or unreadable one is removed and told of
// through notice. Restore hands the work to restore, which returns false when the user cancelled (the file stays
// to be offered again) and must have kept the work in its own recovery file before it returns true: only then is
// the file removed. Delete removes it; Not now (and Escape) leaves it to be offered at the next start and goes on
// to the next one. Every file is offered, one question each: a second restore replaces the first work after
// restore's own question about it. True when work was restored.
bool OfferRecovery(const QString &folder, Prompts &prompts, const std::function<bool(const RecoveredWork &)> &restore,
                   const std::function<void(const QString &)> &notice);

// "Restore the unsaved changes to ocelot.ras from 14:02?", saying so when the file was changed or removed since.
QString RecoveryQuestion(const RecoveredWork &work);
