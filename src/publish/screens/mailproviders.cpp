#include "mailproviders.h"

#include "app/screens/screen.h"
#include "publish/providerlist.h"

namespace mervalo {

void loadMailProviders(Screen& form) {
  ProgramValues& v = form.values();
  v.mailUnavailable = false;
  const ProviderListResult list = loadProviderList(v.path(QStringLiteral("/MAIL.TXT")));
  v.providers = list.providers;
  switch (list.status) {
    case ProviderListResult::Status::Ok:
      return;
    case ProviderListResult::Status::Missing:
      form.inform(form.message(152), PromptIcon::Critical);
      break;
    case ProviderListResult::Status::Damaged:
      form.inform(form.message(153), PromptIcon::Critical);
      break;
  }
  v.mailUnavailable = true;
}

}  // namespace mervalo
