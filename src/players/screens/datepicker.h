#pragma once

#include "app/screens/screen.h"

namespace mervalo {

class ClickLabel;

// The calendar from which the group screen takes the date of a group. The chosen date goes
// back through the shared date string; Cancel empties it.
class DatePicker : public Screen {
  Q_OBJECT
 public:
  DatePicker(AppContext& ctx, Screen* opener);

  void formActivate() override;
  // Redraws the month grid for the chosen month and year and marks the selected day.
  void ToonDatum();

  int selectedDay() const { return day_; }

  QComboBox* comMaand = nullptr;
  QComboBox* comJaar = nullptr;
  QLabel* lblDag[8] = {};          // 1..7
  ClickLabel* lblDatum[43] = {};   // 1..42
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdTerug = nullptr;

 protected:
  bool formQueryUnload() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void formLoad();
  int month() const;
  int year() const;
  QString calendarWord() const;
  void announce();

  void lblDatum_Click(int index);
  void comMaand_Click();
  void comJaar_Click();
  void cmdOK_Click();
  void cmdTerug_Click();

  int day_ = 1;
  QString dateText_;
  QString terugTag_;
  bool loading_ = false;
};

}  // namespace mervalo
