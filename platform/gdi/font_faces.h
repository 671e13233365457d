#pragma once
// The face table: the Windows face names the system asks for, and the
// installed families that stand in for them (first one present wins; the
// Chinese family always follows as the fallback for CJK characters).
#include <QStringList>

namespace quorla {

// Families to ask Qt for, in order, for a face name as given in a LOGFONTW.
QStringList FamiliesForFace(const QString& face);

}  // namespace quorla
