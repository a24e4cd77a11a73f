#include "support/ArchiveBytes.h"

#include <vellum/archive/Archive.h>
#include <vellum/archive/ClassRegistry.h>
#include <vellum/platform/File.h>
#include <vellum/platform/MemFile.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vellum::test {
namespace {

// A 32-bit value; counts its live instances so tests can prove nothing leaks.
class CTestValue : public CObject {
    DECLARE_SERIAL(CTestValue)
public:
    CTestValue() { ++s_live; }
    explicit CTestValue(int value) : m_value(value) { ++s_live; }
    ~CTestValue() override { --s_live; }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring())
            ar << m_value;
        else
            ar >> m_value;
    }

    std::int32_t m_value = 0;
    static inline int s_live = 0;
};

// A value and an owned child object, read without a requested class.
class CTestHolder : public CObject {
    DECLARE_SERIAL(CTestHolder)
public:
    CTestHolder() { ++s_live; }
    ~CTestHolder() override { --s_live; }
    void Serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar << m_value << m_child.get();
        } else {
            ar >> m_value;
            m_child.reset(ar.ReadObject(nullptr));
        }
    }

    std::int32_t m_value = 0;
    std::unique_ptr<CObject> m_child;
    static inline int s_live = 0;
};

// Registered with CTestValue as its base, though its C++ base is CObject.
class CTestLeaf : public CObject {
    DECLARE_SERIAL(CTestLeaf)
};

// Schema 2 without the versionable flag: other schemas are refused.
class CTestFixed : public CObject {
    DECLARE_SERIAL(CTestFixed)
};

// Remembers the schema the archive reports while its body is read.
class CTestVersioned : public CObject {
    DECLARE_SERIAL(CTestVersioned)
public:
    void Serialize(CArchive& ar) override {
        if (ar.IsLoading()) {
            m_schemaSeen = ar.GetObjectSchema();
            m_schemaSeenTwice = ar.GetObjectSchema();
        }
    }
    UINT m_schemaSeen = 0;
    UINT m_schemaSeenTwice = 0;
};

IMPLEMENT_SERIAL(CTestValue, CObject, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CTestHolder, CObject, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CTestLeaf, CTestValue, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CTestFixed, CObject, 2)
IMPLEMENT_SERIAL(CTestVersioned, CObject, VERSIONABLE_SCHEMA | 1)

class ArchiveTest : public ::testing::Test {
protected:
    // Registering a class again under its own name changes nothing.
    static void SetUpTestSuite() {
        for (const CRuntimeClass* cls :
             {RUNTIME_CLASS(CTestValue), RUNTIME_CLASS(CTestHolder), RUNTIME_CLASS(CTestLeaf),
              RUNTIME_CLASS(CTestFixed), RUNTIME_CLASS(CTestVersioned)})
            CClassRegistry::Instance().Register(cls);
    }
    void TearDown() override {
        EXPECT_EQ(CTestValue::s_live, 0);
        EXPECT_EQ(CTestHolder::s_live, 0);
    }
};

// Reads two objects, the second of the requested class (it may refer back to the first).
CArchiveException::Cause LoadFailure(const Bytes& bytes, const CRuntimeClass* requested = nullptr) {
    return CauseOf([&] {
        Load(bytes, [&](CArchive& ar) {
            std::unique_ptr<CObject> object(ar.ReadObject(nullptr));
            CObject* second = ar.ReadObject(requested);
            if (second != object.get())
                delete second;
        });
    });
}

TEST_F(ArchiveTest, PrimitivesAreLittleEndianWithoutPadding) {
    const Bytes bytes = Store([](CArchive& ar) {
        ar << BYTE{0xAB} << WORD{0x1234} << std::int16_t{-2} << std::int32_t{-1}
           << DWORD{0xDEADBEEF} << 1.0f << 1.0;
    });
    Bytes expected;
    Append(expected, {0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xEF, 0xBE, 0xAD, 0xDE,
                      0x00, 0x00, 0x80, 0x3F});
    AppendDouble(expected, 1.0);
    EXPECT_EQ(bytes, expected);
}

TEST_F(ArchiveTest, StringLengthTakesThreeForms) {
    struct Case {
        std::size_t length;
        Bytes prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const CString text(std::string(c.length, 'x'));
        const Bytes bytes = Store([&](CArchive& ar) { ar << text; });
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length);
        EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin()));
        Load(bytes, [&](CArchive& ar) {
            CString back;
            ar >> back;
            EXPECT_EQ(back, text);
        });
    }
}

TEST_F(ArchiveTest, WideStringsAreConvertedToTheCodePage) {
    // Short form: 0xFF 0xFFFE, one-byte length 4, then UTF-16LE "a", "à", "€", "Ω".
    Bytes shortForm{0xFF, 0xFE, 0xFF, 0x04, 'a', 0x00, 0xE0, 0x00, 0xAC, 0x20, 0xA9, 0x03};
    Load(shortForm, [](CArchive& ar) {
        CString text;
        ar >> text;
        EXPECT_EQ(text, "a\xE0\x80?");
    });
    // Two-byte length form after the wide marker: 300 characters.
    Bytes longForm{0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01};
    for (int i = 0; i < 300; ++i)
        Append(longForm, {'z', 0x00});
    Append(longForm, {0x01});
    Load(longForm, [](CArchive& ar) {
        CString text;
        BYTE after;
        ar >> text >> after;
        EXPECT_EQ(text, CString(std::string(300, 'z')));
        EXPECT_EQ(after, 0x01);
    });
}

TEST_F(ArchiveTest, CountEscapesAt0xFFFF) {
    const Bytes bytes = Store([](CArchive& ar) {
        ar.WriteCount(65534);
        ar.WriteCount(65535);
        ar.WriteCount(0x12345678);
    });
    const Bytes expected{0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00,
                         0x00, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12};
    EXPECT_EQ(bytes, expected);
    Load(bytes, [](CArchive& ar) {
        EXPECT_EQ(ar.ReadCount(), 65534u);
        EXPECT_EQ(ar.ReadCount(), 65535u);
        EXPECT_EQ(ar.ReadCount(), 0x12345678u);
    });
}

TEST_F(ArchiveTest, ObjectsShareOneIndexTableWithClasses) {
    CTestValue a(7), c(9);
    CTestHolder b;
    b.m_value = 8;
    const Bytes bytes = Store(
        [&](CArchive& ar) { ar << static_cast<const CObject*>(nullptr) << &a << &b << &c << &a; });
    Bytes expected;
    AppendWord(expected, 0x0000);           // null
    AppendNewClass(expected, "CTestValue"); // class 1, a is object 2
    AppendDword(expected, 7);
    AppendNewClass(expected, "CTestHolder"); // class 3, b is object 4
    AppendDword(expected, 8);
    AppendWord(expected, 0x0000); // b's null child
    AppendWord(expected, 0x8001); // c: a new object of class 1, object 5
    AppendDword(expected, 9);
    AppendWord(expected, 0x0002); // a again: a reference
    EXPECT_EQ(bytes, expected);

    Load(bytes, [](CArchive& ar) {
        EXPECT_EQ(ar.ReadObject(nullptr), nullptr);
        std::unique_ptr<CObject> first(ar.ReadObject(nullptr));
        std::unique_ptr<CObject> holder(ar.ReadObject(nullptr));
        std::unique_ptr<CObject> third(ar.ReadObject(nullptr));
        EXPECT_EQ(ar.ReadObject(nullptr), first.get());
        ASSERT_TRUE(first->IsKindOf(RUNTIME_CLASS(CTestValue)));
        EXPECT_EQ(static_cast<CTestValue*>(first.get())->m_value, 7);
        EXPECT_EQ(static_cast<CTestValue*>(third.get())->m_value, 9);
        EXPECT_EQ(static_cast<CTestHolder*>(holder.get())->m_value, 8);
    });
}

TEST_F(ArchiveTest, ObjectTakesItsIndexBeforeItsBody) {
    // A holder whose child is the holder itself: the body refers back to index 2.
    Bytes bytes;
    AppendNewClass(bytes, "CTestHolder");
    AppendDword(bytes, 1);
    AppendWord(bytes, 0x0002);
    Load(bytes, [](CArchive& ar) {
        auto* holder = static_cast<CTestHolder*>(ar.ReadObject(nullptr));
        EXPECT_EQ(holder->m_child.get(), holder);
        (void)holder->m_child.release();
        delete holder;
    });
}

TEST_F(ArchiveTest, IndexesFrom0x7FFFUseTheLongForm) {
    // Class 1, then objects 2 … 0x8000: the object with index 0x7FFF is the 0x7FFE-th.
    constexpr int objectCount = 0x7FFF;
    std::vector<std::unique_ptr<CTestValue>> values;
    for (int i = 0; i < objectCount; ++i)
        values.push_back(std::make_unique<CTestValue>(i));
    CTestHolder late; // its class takes index 0x8001 after the values
    CTestHolder later;
    const Bytes bytes = Store([&](CArchive& ar) {
        for (const auto& v : values)
            ar << v.get();
        ar << values[0x7FFD].get(); // object index 0x7FFF
        ar << values[0x7FFC].get(); // object index 0x7FFE
        ar << &late << &later;
    });
    // Each value after the first is 2 bytes of tag and 4 of body.
    std::size_t offset = 6 + 10 + 4 + static_cast<std::size_t>(objectCount - 1) * 6;
    const Bytes reference(bytes.begin() + static_cast<long>(offset),
                          bytes.begin() + static_cast<long>(offset) + 8);
    EXPECT_EQ(reference, (Bytes{0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x00, 0xFE, 0x7F}));
    offset += 8;
    Bytes lateRecord;
    AppendNewClass(lateRecord, "CTestHolder");
    AppendDword(lateRecord, 0);
    AppendWord(lateRecord, 0);
    AppendWord(lateRecord, 0x7FFF);
    AppendDword(lateRecord, 0x80008001u);
    EXPECT_TRUE(std::equal(lateRecord.begin(), lateRecord.end(),
                           bytes.begin() + static_cast<long>(offset)));

    Load(bytes, [&](CArchive& ar) {
        std::vector<std::unique_ptr<CObject>> read;
        for (int i = 0; i < objectCount; ++i)
            read.emplace_back(ar.ReadObject(RUNTIME_CLASS(CTestValue)));
        EXPECT_EQ(ar.ReadObject(nullptr), read[0x7FFD].get());
        EXPECT_EQ(ar.ReadObject(nullptr), read[0x7FFC].get());
        std::unique_ptr<CObject> first(ar.ReadObject(RUNTIME_CLASS(CTestHolder)));
        std::unique_ptr<CObject> second(ar.ReadObject(RUNTIME_CLASS(CTestHolder)));
        EXPECT_NE(first, second);
        EXPECT_EQ(static_cast<CTestValue*>(read[1234].get())->m_value, 1234);
    });
}

TEST_F(ArchiveTest, ClassChecksFollowTheRegisteredBase) {
    std::unique_ptr<CObject> leaf(RUNTIME_CLASS(CTestLeaf)->CreateObject());
    EXPECT_TRUE(leaf->IsKindOf(RUNTIME_CLASS(CTestValue)));
    EXPECT_FALSE(leaf->IsKindOf(RUNTIME_CLASS(CTestHolder)));
    EXPECT_EQ(CClassRegistry::Instance().Find("CTestLeaf"), RUNTIME_CLASS(CTestLeaf));
    EXPECT_EQ(CClassRegistry::Instance().Find("CTestLea"), nullptr);
    // A second class under a taken name is refused and leaves the first in place.
    static const CRuntimeClass impostor = {"CTestValue", 8, VERSIONABLE_SCHEMA | 1,
                                           &CTestValue::CreateObject, RUNTIME_CLASS(CObject)};
    EXPECT_THROW(CClassRegistry::Instance().Register(&impostor), CInvalidArgException);
    EXPECT_EQ(CClassRegistry::Instance().Find("CTestValue"), RUNTIME_CLASS(CTestValue));

    Bytes bytes;
    AppendNewClass(bytes, "CTestLeaf");
    Load(bytes, [](CArchive& ar) {
        std::unique_ptr<CObject> read(ar.ReadObject(RUNTIME_CLASS(CTestValue)));
        EXPECT_EQ(read->GetRuntimeClass(), RUNTIME_CLASS(CTestLeaf));
    });
}

TEST_F(ArchiveTest, BadClassFailures) {
    Bytes unregistered;
    AppendNewClass(unregistered, "CNoSuchClass");
    EXPECT_EQ(LoadFailure(unregistered), CArchiveException::badClass);

    Bytes tooLong; // 64 characters starting with a registered name
    AppendNewClass(tooLong, "CTestValue" + std::string(54, 'x'));
    AppendDword(tooLong, 0);
    EXPECT_EQ(LoadFailure(tooLong), CArchiveException::badClass);

    Bytes wrongClass{0x00, 0x00}; // null first
    AppendNewClass(wrongClass, "CTestValue");
    AppendDword(wrongClass, 0);
    EXPECT_EQ(LoadFailure(wrongClass, RUNTIME_CLASS(CTestHolder)), CArchiveException::badClass);

    // A reference to an object of the wrong class, read with a requested class.
    Bytes wrongReference;
    AppendNewClass(wrongReference, "CTestHolder");
    AppendDword(wrongReference, 0);
    AppendWord(wrongReference, 0x0000);
    AppendWord(wrongReference, 0x0002);
    EXPECT_EQ(LoadFailure(wrongReference, RUNTIME_CLASS(CTestValue)), CArchiveException::badClass);
}

TEST_F(ArchiveTest, SchemaHandling) {
    Bytes fixed{0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00};
    AppendText(fixed, "CTestFixed");
    EXPECT_EQ(LoadFailure(fixed), CArchiveException::badSchema);

    Bytes versioned{0xFF, 0xFF, 0x05, 0x00, 0x0E, 0x00};
    AppendText(versioned, "CTestVersioned");
    AppendWord(versioned, 0x8001); // a second object of the class keeps the stored schema
    Load(versioned, [](CArchive& ar) {
        std::unique_ptr<CObject> first(ar.ReadObject(nullptr));
        std::unique_ptr<CObject> second(ar.ReadObject(nullptr));
        for (CObject* object : {first.get(), second.get()}) {
            auto* v = static_cast<CTestVersioned*>(object);
            EXPECT_EQ(v->m_schemaSeen, 5u);
            EXPECT_EQ(v->m_schemaSeenTwice, static_cast<UINT>(-1));
        }
    });
}

TEST_F(ArchiveTest, BadIndexFailures) {
    EXPECT_EQ(LoadFailure(Bytes{0x00, 0x80}), CArchiveException::badIndex); // class index 0
    EXPECT_EQ(LoadFailure(Bytes{0x01, 0x80}), CArchiveException::badIndex); // never read
    EXPECT_EQ(LoadFailure(Bytes{0x03, 0x00}), CArchiveException::badIndex); // object never read
    EXPECT_EQ(LoadFailure(Bytes{0xFF, 0x7F, 0x09, 0x00, 0x00, 0x00}), CArchiveException::badIndex);
    EXPECT_EQ(LoadFailure(Bytes{0xFF, 0x7F, 0x01, 0x00, 0x00, 0x80}), CArchiveException::badIndex);

    // Index 1 is a class: it is neither an object to refer to, nor a class once it is an object.
    for (const WORD tag : {0x0001, 0x8002}) {
        Bytes bytes;
        AppendNewClass(bytes, "CTestValue");
        AppendDword(bytes, 0);
        AppendWord(bytes, tag);
        EXPECT_EQ(LoadFailure(bytes), CArchiveException::badIndex) << tag;
    }

    // ReadClass on an object tag has nowhere to put it.
    Load(Bytes{0x02, 0x00}, [](CArchive& ar) { EXPECT_THROW(ar.ReadClass(), CArchiveException); });
}

TEST_F(ArchiveTest, EndOfDataFailsAndFreesWhatWasRead) {
    CTestHolder outer;
    outer.m_value = 1;
    auto inner = std::make_unique<CTestHolder>();
    inner->m_value = 2;
    inner->m_child = std::make_unique<CTestValue>(3);
    outer.m_child = std::move(inner);
    const Bytes bytes = Store([&](CArchive& ar) { ar << &outer; });
    // The whole stream reads; the helper's second read runs past its end.
    ASSERT_EQ(LoadFailure(bytes), CArchiveException::endOfFile);
    EXPECT_EQ(CTestHolder::s_live, 2);
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        SCOPED_TRACE(cut);
        const Bytes truncated(bytes.begin(), bytes.begin() + static_cast<long>(cut));
        EXPECT_EQ(LoadFailure(truncated), CArchiveException::endOfFile);
        EXPECT_EQ(CTestHolder::s_live, 2); // only `outer` and its own child live
        EXPECT_EQ(CTestValue::s_live, 1);
    }

    // A length that claims far more than the data holds fails at the end of the data.
    const Bytes hugeString{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 'a', 'b'};
    CString text;
    EXPECT_EQ(CauseOf([&] { Load(hugeString, [&](CArchive& ar) { ar >> text; }); }),
              CArchiveException::endOfFile);
}

TEST_F(ArchiveTest, NestingIsLimited) {
    auto nest = [](int depth) {
        Bytes bytes;
        AppendNewClass(bytes, "CTestHolder");
        AppendDword(bytes, 0);
        for (int i = 1; i < depth; ++i) {
            AppendWord(bytes, 0x8001);
            AppendDword(bytes, static_cast<DWORD>(i));
        }
        AppendWord(bytes, 0x0000);
        return bytes;
    };
    Load(nest(CArchive::maxObjectDepth), [](CArchive& ar) {
        std::unique_ptr<CObject> deep(ar.ReadObject(nullptr));
        EXPECT_NE(deep, nullptr);
    });
    EXPECT_EQ(LoadFailure(nest(CArchive::maxObjectDepth + 1)), CArchiveException::generic);
}

TEST_F(ArchiveTest, WrongDirectionIsRefused) {
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    BYTE b = 0;
    EXPECT_EQ(CauseOf([&] { storing >> b; }), CArchiveException::writeOnly);
    storing.Close();
    Load(Bytes{1, 2, 3}, [](CArchive& ar) {
        EXPECT_EQ(CauseOf([&] { ar << BYTE{1}; }), CArchiveException::readOnly);
    });
}

TEST_F(ArchiveTest, SmallAndCallerBuffersGiveTheSameBytes) {
    CTestValue value(0x01020304);
    auto write = [&](CArchive& ar) {
        ar << CString("buffered") << 2.5 << &value << &value;
        ar.WriteCount(70000);
    };
    const Bytes reference = Store(write);
    for (int bufSize : {1, 3, 7, 64}) {
        SCOPED_TRACE(bufSize);
        CMemFile file;
        std::vector<BYTE> callerBuffer(static_cast<std::size_t>(bufSize));
        {
            CArchive ar(&file, CArchive::store, bufSize,
                        bufSize == 7 ? callerBuffer.data() : nullptr);
            write(ar);
            ar.Close();
        }
        ASSERT_EQ(file.GetLength(), reference.size());
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load, bufSize);
        CString text;
        double x;
        ar >> text >> x;
        std::unique_ptr<CObject> first(ar.ReadObject(nullptr));
        EXPECT_EQ(ar.ReadObject(nullptr), first.get());
        EXPECT_EQ(ar.ReadCount(), 70000u);
    }
}

TEST_F(ArchiveTest, MissingFilesAreReportedWithTheirName) {
    const std::string path = ::testing::TempDir() + "vellum_no_such_archive.bin";
    CFile file;
    CFileException error(CFileException::none, 0, CString());
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_strFileName, CString(path));
}

} // namespace
} // namespace vellum::test
