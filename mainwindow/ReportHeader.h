#pragma once

class QDate;
struct TReportInfo;

// The header of the report (件名, 設計者, 日付) as the user filled it in
// last, kept with the program's settings (organisation and application
// "Vantrel", group "Report").

// Subject, Designer and Date of Info from the settings; a date that is not
// kept is Today, as "yyyy/MM/dd".
void ReadReportHeader(TReportInfo& Info, const QDate& Today);
// Keeps Subject, Designer and Date of Info. A date that reads as Today is
// kept as none, so that the next report is dated on its own day; another
// date stays until it is changed. Throws Exception when the settings
// cannot be written.
void WriteReportHeader(const TReportInfo& Info, const QDate& Today);
