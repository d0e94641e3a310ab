#pragma once
// Runtime-class records: the name of a class, its base, and how to create an
// object of it, so the framework can create frames, views and documents by
// class.

#include "framework/types.h"

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    // Null when the class is not dynamically creatable.
    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                  \
public:                                              \
    static const CRuntimeClass class##class_name;    \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                \
    const CRuntimeClass class_name::class##class_name = {                              \
        #class_name, int(sizeof(class_name)), 0xFFFF, nullptr,                         \
        RUNTIME_CLASS(base_class_name)};                                               \
    const CRuntimeClass* class_name::GetRuntimeClass() const {                         \
        return RUNTIME_CLASS(class_name);                                              \
    }

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                              \
    CObject* class_name::CreateObject() { return new class_name; }                     \
    const CRuntimeClass class_name::class##class_name = {                              \
        #class_name, int(sizeof(class_name)), 0xFFFF, &class_name::CreateObject,       \
        RUNTIME_CLASS(base_class_name)};                                               \
    const CRuntimeClass* class_name::GetRuntimeClass() const {                         \
        return RUNTIME_CLASS(class_name);                                              \
    }
