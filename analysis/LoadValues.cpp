#include "analysis/LoadValues.h"

#include "analysis/BeamData.h"

TLoadValues LoadValues(const TData& Data, int Index) {
  return {Data.LoadKind(Index), Data.LoadX(Index), Data.LoadW(Index), Data.LoadWidth(Index),
          Data.LoadRemark(Index)};
}

void WriteLoad(TData& Data, int Index, const TLoadValues& Values) {
  Data.SetLoadKind(Index, Values.Kind);
  Data.SetLoadX(Index, Values.X);
  Data.SetLoadW(Index, Values.W);
  Data.SetLoadWidth(Index, Values.Width);
  Data.SetLoadRemark(Index, Values.Remark);
}
