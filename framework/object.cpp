#include "framework/object.h"

const CRuntimeClass CObject::classCObject = {"CObject", nullptr, nullptr};

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBase) const {
    for (const CRuntimeClass* p = this; p; p = p->m_pBaseClass) {
        if (p == pBase) return true;
    }
    return false;
}
