#pragma once
// The INI component: section/key files read without regard to case, written key by key
// without losing the rest of the file, and replaced atomically so a crash never leaves
// half a file behind.
#include <QString>

namespace ostrevan {

class clINI {
 public:
  // "" when the file, the section or the key is missing.
  QString LeerINI(const QString& section, const QString& key, const QString& path) const;
  // Throws RuntimeError when the file cannot be written.
  void GuardarINI(const QString& section, const QString& key, const QString& value,
                  const QString& path) const;
};

}  // namespace ostrevan
