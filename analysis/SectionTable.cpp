#include "analysis/SectionTable.h"

#include "platform/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <numbers>

namespace {

// ---- Area moments ----------------------------------------------------------

struct TPoint {
  double x = 0, y = 0;
};

TPoint operator+(TPoint P, TPoint Q) {
  return {P.x + Q.x, P.y + Q.y};
}
TPoint operator*(double k, TPoint P) {
  return {k * P.x, k * P.y};
}

// A region's area and second moment about the x axis, in mm. Every section
// is built symmetric about that axis, so the axis passes through its centroid.
struct TAreaMoments {
  double A = 0, I = 0;
};

TAreaMoments operator+(TAreaMoments M, TAreaMoments N) {
  return {M.A + N.A, M.I + N.I};
}
TAreaMoments operator-(TAreaMoments M, TAreaMoments N) {
  return {M.A - N.A, M.I - N.I};
}

// A simple polygon, its vertices in either order.
TAreaMoments Polygon(std::initializer_list<TPoint> Vertices) {
  TAreaMoments M;
  const TPoint* Previous = std::prev(Vertices.end());
  for (const TPoint& P : Vertices) {
    const double Cross = Previous->x * P.y - P.x * Previous->y;
    M.A += Cross / 2;
    M.I += Cross * (Previous->y * Previous->y + Previous->y * P.y + P.y * P.y) / 12;
    Previous = &P;
  }
  return M.A < 0 ? TAreaMoments{-M.A, -M.I} : M;
}

TAreaMoments Rectangle(double x0, double y0, double x1, double y1) {
  return Polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

// The circular sector of radius R about C from angle From counter-clockwise
// to angle To.
TAreaMoments Sector(TPoint C, double R, double From, double To) {
  const double Sweep = To - From;
  const double A = R * R * Sweep / 2;
  // The first and second moments about the horizontal through C.
  const double S = R * R * R / 3 * (std::cos(From) - std::cos(To));
  const double I = std::pow(R, 4) / 4 * (Sweep / 2 - (std::sin(2 * To) - std::sin(2 * From)) / 4);
  return {A, C.y * C.y * A + 2 * C.y * S + I};
}

// The corner between two straight edges that leave P in the unit directions
// U and V (less than half a turn apart), rounded with radius R: the region
// between the edges and the arc tangent to both. A fillet adds it, a rounded
// edge takes it away.
TAreaMoments Spandrel(TPoint P, TPoint U, TPoint V, double R) {
  if (R <= 0) return {};
  const double Angle = std::acos(U.x * V.x + U.y * V.y);
  const TPoint Bisector = U + V;
  const double BisectorLength = std::hypot(Bisector.x, Bisector.y);
  const TPoint C = P + R / std::sin(Angle / 2) / BisectorLength * Bisector;
  const double Tangent = R / std::tan(Angle / 2);
  const TPoint OnU = P + Tangent * U;
  const TPoint OnV = P + Tangent * V;
  // The arc between the tangent points faces P and spans π − Angle.
  const double ToU = std::atan2(OnU.y - C.y, OnU.x - C.x);
  const double ToV = std::atan2(OnV.y - C.y, OnV.x - C.x);
  const double From = std::remainder(ToV - ToU, 2 * std::numbers::pi) > 0 ? ToU : ToV;
  return Polygon({P, OnU, C, OnV}) - Sector(C, R, From, From + std::numbers::pi - Angle);
}

// ---- The families ----------------------------------------------------------

TAreaMoments HSection(const TSectionShape& S) {
  const double x = S.t1 / 2, y = S.H / 2 - S.t2;
  TAreaMoments M = Rectangle(-S.B / 2, -S.H / 2, S.B / 2, S.H / 2) - Rectangle(x, -y, S.B / 2, y) -
                   Rectangle(-S.B / 2, -y, -x, y);
  for (const double Side : {-1.0, 1.0})
    for (const double Level : {-1.0, 1.0})
      M = M + Spandrel({Side * x, Level * y}, {0, -Level}, {Side, 0}, S.r);
  return M;
}

// The inner faces of a channel's flanges slope 5° down towards the web, and
// t2 is the thickness midway along the flange's free width: the shape whose
// fillets give the 0.349·(r1² − r2²) of the JIS area formula.
TAreaMoments Channel(const TSectionShape& S) {
  const double Slope = 5 * std::numbers::pi / 180;
  auto InnerFace = [&](double x) {
    return S.H / 2 - S.t2 + (x - (S.B + S.t1) / 2) * std::tan(Slope);
  };
  const double Root = InnerFace(S.t1), Tip = InnerFace(S.B);
  TAreaMoments M = Polygon({{0, S.H / 2},
                            {S.B, S.H / 2},
                            {S.B, Tip},
                            {S.t1, Root},
                            {S.t1, -Root},
                            {S.B, -Tip},
                            {S.B, -S.H / 2},
                            {0, -S.H / 2}});
  const TPoint Along = {std::cos(Slope), std::sin(Slope)};
  for (const double Level : {-1.0, 1.0})
    M = M + Spandrel({S.t1, Level * Root}, {0, -Level}, {Along.x, Level * Along.y}, S.r) -
        Spandrel({S.B, Level * Tip}, {0, Level}, {-Along.x, -Level * Along.y}, S.r2);
  return M;
}

TAreaMoments HollowSection(const TSectionShape& S) {
  const double x = S.B / 2, y = S.H / 2, t = S.t1;
  TAreaMoments M = Rectangle(-x, -y, x, y) - Rectangle(t - x, t - y, x - t, y - t);
  for (const double Side : {-1.0, 1.0})
    for (const double Level : {-1.0, 1.0})
      M = M - Spandrel({Side * x, Level * y}, {-Side, 0}, {0, -Level}, S.r) +
          Spandrel({Side * (x - t), Level * (y - t)}, {-Side, 0}, {0, -Level},
                   std::max(S.r - t, 0.0));
  return M;
}

TAreaMoments RoundTube(const TSectionShape& S) {
  const double d = S.H - 2 * S.t1;
  return {std::numbers::pi / 4 * (S.H * S.H - d * d),
          std::numbers::pi / 64 * (std::pow(S.H, 4) - std::pow(d, 4))};
}

TAreaMoments Moments(const TSectionShape& S) {
  switch (S.Family) {
  case sfWideH:
  case sfMediumH:
  case sfNarrowH:
    return HSection(S);
  case sfChannel:
    return Channel(S);
  case sfSquareTube:
  case sfRectTube:
    return HollowSection(S);
  case sfRoundTube:
    return RoundTube(S);
  default:
    return Rectangle(0, -S.H / 2, S.B, S.H / 2);
  }
}

// In mm², the definitions of TSectionProperties::Aw.
double ShearArea(const TSectionShape& S, double Area) {
  switch (S.Family) {
  case sfWideH:
  case sfMediumH:
  case sfNarrowH:
  case sfChannel:
    return (S.H - 2 * S.t2) * S.t1;
  case sfSquareTube:
  case sfRectTube:
    return 2 * (S.H - 2 * S.t1) * S.t1;
  case sfRoundTube:
    return Area / 2;
  default:
    // The largest shear stress of a rectangle is 1.5 times the mean.
    return S.B * S.H / 1.5;
  }
}

// ---- Reading the table -----------------------------------------------------

struct TFamilyKey {
  std::string_view Key;
  TSectionFamily Family;
  size_t Dimensions;
};

constexpr TFamilyKey FamilyKeys[] = {
    {"wide", sfWideH, 5},      {"medium", sfMediumH, 5},    {"narrow", sfNarrowH, 5},
    {"channel", sfChannel, 6}, {"square", sfSquareTube, 3}, {"rect", sfRectTube, 3},
    {"round", sfRoundTube, 2}, {"timber", sfTimber, 2},
};

[[noreturn]] void Refuse(int Line, const std::string& What) {
  throw Exception("断面表の " + std::to_string(Line) + " 行目: " + What);
}

std::vector<std::string_view> Fields(std::string_view Line) {
  std::vector<std::string_view> Result;
  size_t At = 0;
  while ((At = Line.find_first_not_of(" \t", At)) != std::string_view::npos) {
    const size_t End = std::min(Line.find_first_of(" \t", At), Line.size());
    Result.push_back(Line.substr(At, End - At));
    At = End;
  }
  return Result;
}

double Number(std::string_view Text, int Line) {
  double Value = 0;
  const auto [End, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
  if (Error != std::errc() || End != Text.data() + Text.size() || !std::isfinite(Value) ||
      Value < 0)
    Refuse(Line, "「" + std::string(Text) + "」は寸法として読めません");
  return Value;
}

// The dimensions in the order the table lists them (the name's order, then
// the radii).
void SetDimensions(TSectionShape& S, const std::vector<double>& D) {
  switch (S.Family) {
  case sfSquareTube:
  case sfRectTube:
    S.H = D[0], S.B = D[1], S.t1 = D[2], S.r = 2 * D[2];
    break;
  case sfRoundTube:
    S.H = S.B = D[0], S.t1 = D[1];
    break;
  case sfTimber:
    S.B = D[0], S.H = D[1];
    break;
  default:
    S.H = D[0], S.B = D[1], S.t1 = D[2], S.t2 = D[3], S.r = D[4];
    S.r2 = D.size() > 5 ? D[5] : 0;
  }
}

bool IsSection(const TSectionShape& S) {
  if (S.H <= 0 || S.B <= 0) return false;
  switch (S.Family) {
  case sfSquareTube:
  case sfRectTube:
    return S.t1 > 0 && 2 * S.r <= std::min(S.H, S.B);
  case sfRoundTube:
    return S.t1 > 0 && 2 * S.t1 < S.H;
  case sfTimber:
    return true;
  default:
    return S.t1 > 0 && S.t2 > 0 && S.t1 < S.B && 2 * S.t2 < S.H;
  }
}

TSectionShape ReadRow(const std::vector<std::string_view>& Row, int Line) {
  const auto Key = std::find_if(std::begin(FamilyKeys), std::end(FamilyKeys),
                                [&](const TFamilyKey& K) { return K.Key == Row[0]; });
  if (Key == std::end(FamilyKeys))
    Refuse(Line, "「" + std::string(Row[0]) + "」という種類はありません");
  if (Row.size() != Key->Dimensions + 2)
    Refuse(Line, "名前と寸法 " + std::to_string(Key->Dimensions) + " 個が必要です");
  std::vector<double> Dimensions;
  for (size_t i = 2; i < Row.size(); ++i)
    Dimensions.push_back(Number(Row[i], Line));
  TSectionShape Shape;
  Shape.Family = Key->Family;
  Shape.Name = std::string(Row[1]);
  SetDimensions(Shape, Dimensions);
  if (!IsSection(Shape)) Refuse(Line, "寸法が断面の形になりません");
  return Shape;
}

} // namespace

TSectionProperties ComputeProperties(const TSectionShape& Shape) {
  const TAreaMoments M = Moments(Shape);
  return {M.A / 1e2, M.I / 1e4, M.I / (Shape.H / 2) / 1e3, ShearArea(Shape, M.A) / 1e2};
}

const char* SectionFamilyName(TSectionFamily Family) {
  switch (Family) {
  case sfWideH:
    return "H形鋼（広幅）";
  case sfMediumH:
    return "H形鋼（中幅）";
  case sfNarrowH:
    return "H形鋼（細幅）";
  case sfChannel:
    return "溝形鋼";
  case sfSquareTube:
    return "角形鋼管";
  case sfRectTube:
    return "角形鋼管（長方形）";
  case sfRoundTube:
    return "鋼管";
  default:
    return "製材";
  }
}

std::vector<TSectionShape> ParseSectionTable(std::string_view Text) {
  std::vector<TSectionShape> Shapes;
  int Line = 0;
  for (size_t At = 0; At < Text.size();) {
    const size_t End = std::min(Text.find('\n', At), Text.size());
    std::string_view Row = Text.substr(At, End - At);
    At = End + 1;
    ++Line;
    if (!Row.empty() && Row.back() == '\r') Row.remove_suffix(1);
    const std::vector<std::string_view> Parts = Fields(Row);
    if (!Parts.empty() && !Parts[0].starts_with('#')) Shapes.push_back(ReadRow(Parts, Line));
  }
  return Shapes;
}

// Steel: the long-term allowable stresses from the standard strength F,
// fb = F / 1.5 (a beam braced against lateral buckling) and
// fs = F / (1.5·√3). Timber: the 基準強度 of 無等級材 すぎ (Fb 22.2,
// Fs 1.8 N/mm²) times 1.1/3 for long-term loads.
const std::vector<TMaterial>& TypicalMaterials() {
  auto Steel = [](const char* Name, double F) {
    return TMaterial{Name, 205000, F / 1.5, F / (1.5 * std::numbers::sqrt3)};
  };
  static const std::vector<TMaterial> Materials = {
      Steel("鋼材 SN400・SS400 F=235（参考値）", 235),
      Steel("鋼材 SN490 F=325（参考値）", 325),
      {"スギ 無等級材（参考値）", 7000, 22.2 * 1.1 / 3, 1.8 * 1.1 / 3},
      {"アルミニウム合金 E=70,000（参考値、許容応力度は入力）", 70000, 0, 0},
  };
  return Materials;
}
