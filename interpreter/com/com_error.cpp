// A failed Invoke's HRESULT as a message number.
#include "com_bridge.h"

unsigned DispatchErrorNumber(HRESULT result) {
  switch (result) {
    case DISP_E_BADPARAMCOUNT:
    case DISP_E_PARAMNOTOPTIONAL:
      return kComErrorArgCount;
    case DISP_E_BADVARTYPE:
    case DISP_E_TYPEMISMATCH:
      return kComErrorVarType;
    case DISP_E_MEMBERNOTFOUND:
      return kComErrorMemberKind;
    case DISP_E_OVERFLOW:
      return kComErrorBadType;
    case DISP_E_PARAMNOTFOUND:
      return kComErrorNoParam;
    case DISP_E_UNKNOWNINTERFACE:
      return kComErrorInterface;
    case DISP_E_UNKNOWNLCID:
      return kComErrorLocale;
    default:  // DISP_E_EXCEPTION and everything else
      return kComErrorUnknown;
  }
}
