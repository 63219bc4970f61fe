#pragma once

#include <QString>

#include <functional>

class Prompts;
struct RecoveredWork;

// Offers the recovery files that no running copy looks after, newest first: those of copies that are gone, and
// those a copy claimed and then left (it was killed while asking). Each is claimed by renaming before the question,
// so two copies starting together can't both offer it. An empty or unreadable one is removed and told of through
// notice. Yes hands the work to restore, which returns false when the user cancelled (the file stays to be offered
// again) and must have kept the work in its own recovery file before it returns true: only then is the claimed file
// removed. Delete removes it; Not now (and Escape) leaves it to be offered at the next start and goes on to the
// next one. True when work was restored.
bool OfferRecovery(const QString &folder, Prompts &prompts, const std::function<bool(const RecoveredWork &)> &restore,
                   const std::function<void(const QString &)> &notice);

// "Restore the unsaved changes to ocelot.ras from 14:02?"
QString RecoveryQuestion(const RecoveredWork &work);
