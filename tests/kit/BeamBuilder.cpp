#include "tests/kit/BeamBuilder.h"

void AddLoad(TData& Data, const TBeamLoad& Load) {
  WriteLoad(Data, Data.LoadCount(), Load);
}

void SetBeam(TData& Data, std::int32_t Type, double L, const std::vector<TBeamLoad>& Loads) {
  Data.SetBeamType(Type);
  Data.SetLength(L);
  for (std::size_t I = 0; I < Loads.size(); ++I)
    WriteLoad(Data, static_cast<int>(I), Loads[I]);
}

void BuildBeam(TData& Data, std::int32_t Type, double L, const std::vector<TBeamLoad>& Loads) {
  Data.Clear();
  Data.SetBeamType(Type);
  Data.SetLength(L);
  for (std::size_t I = 0; I < Loads.size(); ++I) {
    const int Index = static_cast<int>(I);
    Data.EnsureLoad(Index);
    TKajyuData& K = Data.Load(Index);
    K.FKind = Loads[I].Kind;
    K.FX = Loads[I].X;
    K.FW = Loads[I].W;
    K.FWidth = Loads[I].Width;
    K.FRemark = Loads[I].Remark;
  }
  Data.Calculate();
}
