#pragma once

#include <atomic>
#include <functional>
#include <initializer_list>
#include <memory>

#include "iplug/IPlugConstants.h"
#include "iplug/wdl/WdlHeapBuf.h"
#include "iplug/wdl/WdlString.h"

namespace iplug
{

// One automatable plug-in parameter: its kind, range, step, default, texts, and the mapping between
// its real value and the normalised 0..1 value that hosts and controls use. Every field but the
// value is written during the plug-in's construction only; the value is an atomic 64-bit float
// that the audio and main threads both read and write.
class IParam
{
public:
  enum EParamType
  {
    kTypeNone = 0,
    kTypeBool = 1,
    kTypeInt = 2,
    kTypeEnum = 3,
    kTypeDouble = 4,
  };

  enum EParamUnit
  {
    kUnitPercentage = 0,
    kUnitSeconds = 1,
    kUnitMilliseconds = 2,
    kUnitDB = 4,
    kUnitDegrees = 8,
    kUnitFrequency = 12,
    kUnitCustom = 21,
  };

  // How the mapping curves, for outside readers of the parameter description.
  enum EDisplayType
  {
    kDisplayLinear = 0,
    kDisplayLog = 1,
    kDisplayExp = 2,
    kDisplaySquareRoot = 3,
    kDisplaySquared = 4,
    kDisplayCubeRoot = 5,
    kDisplayCubed = 6,
  };

  enum EFlags
  {
    kFlagsNone = 0,
    kFlagCannotAutomate = 1,
    kFlagStepped = 2,
    kFlagNegateDisplay = 4,
    kFlagSignDisplay = 8,
  };

  enum EShapeIDs
  {
    kShapeLinear = 0,
    kShapePowCurve = 1,
    kShapeExponential = 2,
    kShapeUnknown = 3,
  };

  using DisplayFunc = std::function<void(double value, WDL_String& out)>;

  // The mapping between normalised and real values; each parameter owns one.
  struct Shape
  {
    virtual ~Shape() = default;
    virtual std::unique_ptr<Shape> Clone() const = 0;
    virtual void Init(const IParam& param) = 0;
    virtual EDisplayType GetDisplayType() const = 0;
    virtual double NormalizedToValue(double normalized, const IParam& param) const = 0;
    virtual double ValueToNormalized(double value, const IParam& param) const = 0;
  };

  struct ShapeLinear : public Shape
  {
    std::unique_ptr<Shape> Clone() const override { return std::make_unique<ShapeLinear>(*this); }
    void Init(const IParam&) override {}
    EDisplayType GetDisplayType() const override { return kDisplayLinear; }
    double NormalizedToValue(double normalized, const IParam& param) const override;
    double ValueToNormalized(double value, const IParam& param) const override;
  };

  // value = min + x^shape * (max - min)
  struct ShapePowCurve : public Shape
  {
    explicit ShapePowCurve(double shape) : mShape(shape) {}
    std::unique_ptr<Shape> Clone() const override { return std::make_unique<ShapePowCurve>(*this); }
    void Init(const IParam&) override {}
    EDisplayType GetDisplayType() const override;
    double NormalizedToValue(double normalized, const IParam& param) const override;
    double ValueToNormalized(double value, const IParam& param) const override;

    double mShape;
  };

  // value = exp(add + x * mul), spanning min..max; a range starting at or below 0 starts at 1e-8.
  struct ShapeExp : public Shape
  {
    std::unique_ptr<Shape> Clone() const override { return std::make_unique<ShapeExp>(*this); }
    void Init(const IParam& param) override;
    EDisplayType GetDisplayType() const override { return kDisplayLog; }
    double NormalizedToValue(double normalized, const IParam& param) const override;
    double ValueToNormalized(double value, const IParam& param) const override;

    double mMul = 1.0;
    double mAdd = 1.0;
  };

  IParam();
  IParam(const IParam&) = delete;
  IParam& operator=(const IParam&) = delete;

  // Initialisation. Each call sets the type only while it is still none, and ends in InitDouble.
  void InitBool(const char* name, bool defaultValue, const char* label = "", int flags = 0, const char* group = "",
                const char* offText = "off", const char* onText = "on");
  void InitEnum(const char* name, int defaultValue, const std::initializer_list<const char*>& items, int flags = 0,
                const char* group = "");
  // The item texts (nEnums of them) are added only when the first one is given.
  void InitEnum(const char* name, int defaultValue, int nEnums, const char* label = "", int flags = 0,
                const char* group = "", const char* firstItem = nullptr, ...);
  void InitInt(const char* name, int defaultValue, int minVal, int maxVal, const char* label = "", int flags = 0,
               const char* group = "");
  void InitDouble(const char* name, double defaultVal, double minVal, double maxVal, double step,
                  const char* label = "", int flags = 0, const char* group = "", const Shape& shape = ShapeLinear(),
                  EParamUnit unit = kUnitCustom, DisplayFunc displayFunc = nullptr);
  void InitFrequency(const char* name, double defaultVal, double minVal, double maxVal, double step, int flags = 0,
                     const char* group = "");
  void InitSeconds(const char* name, double defaultVal, double minVal, double maxVal, double step, int flags = 0,
                   const char* group = "");
  void InitMilliseconds(const char* name, double defaultVal, double minVal, double maxVal, int flags = 0,
                        const char* group = "");
  void InitGain(const char* name, double defaultVal, double minVal, double maxVal, double step, int flags = 0,
                const char* group = "");
  void InitPercentage(const char* name, double defaultVal, double minVal, double maxVal, int flags = 0,
                      const char* group = "");
  void InitAngleDegrees(const char* name, double defaultVal, double minVal, double maxVal, int flags = 0,
                        const char* group = "");
  void InitPitch(const char* name, int defaultNote, int lowestNote, int highestNote, int flags = 0,
                 const char* group = "", bool middleCisC4 = false);
  // Copies another parameter, its name with the first searchStr replaced by replaceStr.
  void Init(const IParam& source, const char* searchStr, const char* replaceStr, const char* newGroup = "");

  // The current value in real units.
  double Value() const { return mValue.load(); }
  double GetNormalized() const { return ToNormalized(Value()); }
  void Set(double value) { mValue.exchange(value); }
  void SetNormalized(double normalized) { Set(FromNormalized(normalized)); }

  // Rounded to the step when stepped, then clamped to the range.
  double Constrain(double value) const;
  // Shape, step rounding, clamp.
  double FromNormalized(double normalized) const;
  // Step rounding, clamp, shape (not clamped to 0..1).
  double ToNormalized(double value) const;

  // Display texts: (value, text) pairs.
  void SetDisplayText(double value, const char* text);
  int NDisplayTexts() const { return mDisplayTexts.GetSize(); }
  // Entry idx's text (and value when asked), "" outside the list.
  const char* GetDisplayTextAtIdx(int idx, double* value = nullptr) const;
  // The text of the first entry whose value equals value exactly, or "".
  const char* GetDisplayText(double value) const;
  // The value of the first entry whose text equals text exactly.
  bool MapDisplayText(const char* text, double* value) const;

  void GetDisplay(double value, bool normalized, WDL_String& out, bool withDisplayText = true) const;
  void GetDisplayWithLabel(WDL_String& out, bool withDisplayText = true) const;
  // Text entry and host text input to a real value.
  double StringToValue(const char* text) const;
  // Appends this parameter's JSON description.
  void GetJSON(WDL_String& json, int index) const;

  const char* GetName() const { return mName; }
  // The label, or "" when the current value, truncated, has a non-empty display text.
  const char* GetLabel() const;
  const char* GetGroup() const { return mGroup; }
  EParamType Type() const { return mType; }
  EParamUnit Unit() const { return mUnit; }
  double GetDefault() const { return mDefault; }
  double GetMin() const { return mMin; }
  double GetMax() const { return mMax; }
  void GetBounds(double& lo, double& hi) const;
  double GetRange() const { return mMax - mMin; }
  double GetStep() const { return mStep; }
  int GetDisplayPrecision() const { return mDisplayPrecision; }
  void SetDisplayPrecision(int precision) { mDisplayPrecision = precision; }
  int GetFlags() const { return mFlags; }
  bool GetCanAutomate() const { return !(mFlags & kFlagCannotAutomate); }
  bool GetStepped() const { return mFlags & kFlagStepped; }
  bool GetNegateDisplay() const { return mFlags & kFlagNegateDisplay; }
  bool GetSignDisplay() const { return mFlags & kFlagSignDisplay; }
  const Shape& GetShape() const { return *mShape; }
  EShapeIDs GetShapeID() const;
  // The exponent of a power-curve shape, else 0.
  double GetShapeValue() const;
  void PrintDetails() const {}

private:
  struct DisplayText
  {
    double mValue;
    char mText[MAX_PARAM_DISPLAY_LEN];
  };
  static_assert(sizeof(DisplayText) == 40, "a display text entry is a 64-bit value and 32 characters");

  double RoundToStep(double value) const;

  // The audio thread reads and writes the value; it must never take a lock to do so.
  static_assert(std::atomic<double>::is_always_lock_free, "parameter values need lock-free atomics");

  EParamType mType = kTypeNone;
  EParamUnit mUnit = kUnitCustom;
  std::atomic<double> mValue{0.0};
  double mMin = 0.0;
  double mMax = 1.0;
  double mStep = 1.0;
  double mDefault = 0.0;
  int mDisplayPrecision = 0;
  int mFlags = 0;
  char mName[MAX_PARAM_NAME_LEN] = {};
  char mLabel[MAX_PARAM_LABEL_LEN] = {};
  char mGroup[MAX_PARAM_GROUP_LEN] = {};
  std::unique_ptr<Shape> mShape;
  DisplayFunc mDisplayFunction;
  WDL_TypedBuf<DisplayText> mDisplayTexts{4096};
};

} // namespace iplug
