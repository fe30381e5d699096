#pragma once

#include <QByteArray>
#include <QString>
#include <dlfcn.h>

namespace mervalo::test {

// True when the fault library (savefaults.cpp) is preloaded into this test.
inline bool saveFaultsLoaded() { return dlsym(RTLD_DEFAULT, "mervalo_save_faults_loaded") != nullptr; }

// Makes one step of saving the file fail while it lives: "MERVALO_FAIL_WRITE",
// "MERVALO_FAIL_SYNC" or "MERVALO_FAIL_RENAME".
class SaveFault {
 public:
  SaveFault(const char* step, const QString& path) : step_(step) { qputenv(step_, path.toLocal8Bit()); }
  ~SaveFault() { qunsetenv(step_); }
  SaveFault(const SaveFault&) = delete;
  SaveFault& operator=(const SaveFault&) = delete;

 private:
  const char* step_;
};

}  // namespace mervalo::test
