#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>

namespace mervalo {
struct AppContext;
}

namespace mervalo::guide {

class GuidePrompter;
class Walk;

struct Player {
  int title;  // 0 the first title box (Mr.), 1 the second (Mrs.)
  QString first;
  QString last;
  QString mail;  // may be empty: that player gets no mail
};

// The club evening the guide tells of, in the guide's language.
struct Evening {
  QDate date;              // the program's clock stands at this day
  QString nameList;        // the name list's file name
  QList<Player> players;   // in the order they are typed
  QList<QPair<QString, QString>> pairs;  // by last name
  QString groupFile;       // as the event start lists it
  QString movement;        // as the event start lists it
  QString ownAddress;      // the organiser's mail settings
  QString ownName;
};

Evening eveningFor(int language);

// The players that have an address, who all get the result.
int playersWithMail(const Evening& evening);

// Walks the evening from the main menu (already shown) to the mailed result.
void walkEvening(Walk& walk, GuidePrompter& prompter, AppContext& ctx, const Evening& evening);

}  // namespace mervalo::guide
