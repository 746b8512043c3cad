// Modules are loaded only when they come from this build: one of another build, or a file that
// is no module of the program, is refused from its file with the reason, and never loaded.
#include "app/desktop/module_identity.h"
#include "app/desktop/module_loader.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Whether the process has the file mapped: a loaded module is.
bool mapped(const QString& path) {
    return contents(QStringLiteral("/proc/self/maps")).contains(path.toUtf8());
}

class ModuleLoaderTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        ASSERT_TRUE(QDir(folder_.path()).mkpath(QStringLiteral("first")));
        ASSERT_TRUE(QDir(folder_.path()).mkpath(QStringLiteral("second")));
        mark_ = folder_.filePath(QStringLiteral("loaded"));
        ::setenv("VELMORA_FOREIGN_MODULE_MARK", mark_.toLocal8Bit().constData(), 1);
    }
    void TearDown() override { ::unsetenv("VELMORA_FOREIGN_MODULE_MARK"); }

    // The chime module's place in the given folder.
    QString chimeIn(const char* folder) const {
        return folder_.filePath(QLatin1String(folder) + QStringLiteral("/libvelmora_chime.so"));
    }
    QStringList folders() const {
        return {folder_.filePath(QStringLiteral("first")),
                folder_.filePath(QStringLiteral("second"))};
    }

    QTemporaryDir folder_;
    QString mark_;
};

TEST_F(ModuleLoaderTest, TheBuildsModulesCarryItsIdentity) {
    const QByteArray program = ModuleIdentity::program();
    EXPECT_TRUE(program.startsWith(VELMORA_VERSION "+")) << program.constData();
    for (const char* module :
         {VELMORA_CHIME_MODULE, VELMORA_EDITOR_MODULE, VELMORA_WAYLAND_MODULE}) {
        SCOPED_TRACE(module);
        QString why;
        EXPECT_EQ(ModuleIdentity::ofFile(QString::fromLocal8Bit(module), why), program)
            << why.toStdString();
    }
}

TEST_F(ModuleLoaderTest, AModuleOfThisBuildIsLoaded) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_CHIME_MODULE), chimeIn("second")));
    ModuleLoader loader(QStringLiteral("velmora_chime"), folders());
    EXPECT_NE(loader.resolve("velmoraPlaySound"), nullptr) << loader.why().toStdString();
    EXPECT_EQ(loader.path(), chimeIn("second"));
    EXPECT_TRUE(mapped(chimeIn("second")));
}

TEST_F(ModuleLoaderTest, AModuleOfAnotherBuildIsRefusedWithoutLoadingIt) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_FOREIGN_MODULE), chimeIn("first")));
    ModuleLoader loader(QStringLiteral("velmora_chime"), folders());
    EXPECT_EQ(loader.resolve("velmoraPlaySound"), nullptr);
    const std::string why = loader.why().toStdString();
    EXPECT_NE(why.find(chimeIn("first").toStdString()), std::string::npos) << why;
    EXPECT_NE(why.find("another build (0.1+0123456789abcdef)"), std::string::npos) << why;
    EXPECT_NE(why.find(ModuleIdentity::program().toStdString()), std::string::npos) << why;
    EXPECT_TRUE(loader.path().isEmpty());
    EXPECT_FALSE(QFile::exists(mark_)) << "the foreign module's code ran";
    EXPECT_FALSE(mapped(chimeIn("first")));
    // Asked again, it is not tried again.
    EXPECT_EQ(loader.resolve("velmoraPlaySound"), nullptr);
    EXPECT_FALSE(QFile::exists(mark_));
}

TEST_F(ModuleLoaderTest, TheNextFolderServesWhenTheFirstHoldsAForeignModule) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_FOREIGN_MODULE), chimeIn("first")));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELMORA_CHIME_MODULE), chimeIn("second")));
    ModuleLoader loader(QStringLiteral("velmora_chime"), folders());
    EXPECT_NE(loader.resolve("velmoraPlaySound"), nullptr) << loader.why().toStdString();
    EXPECT_EQ(loader.path(), chimeIn("second"));
    EXPECT_FALSE(QFile::exists(mark_));
}

TEST_F(ModuleLoaderTest, AMissingModuleNamesWhereItWasLookedFor) {
    ModuleLoader loader(QStringLiteral("velmora_chime"), folders());
    EXPECT_EQ(loader.resolve("velmoraPlaySound"), nullptr);
    EXPECT_EQ(loader.why(),
              QStringLiteral("no libvelmora_chime.so in %1").arg(folders().join(", ")));
}

struct NotAModule {
    const char* name;
    QByteArray bytes;
};

// The file of a shared object the process has loaded: Qt Core, a library of another program.
QString qtCoreFile() {
    Dl_info info{};
    return ::dladdr(reinterpret_cast<void*>(&qVersion), &info) != 0
               ? QString::fromLocal8Bit(info.dli_fname)
               : QString();
}

TEST_F(ModuleLoaderTest, FilesThatAreNoModuleOfThisProgramAreRefusedUnloaded) {
    const QByteArray module = contents(QStringLiteral(VELMORA_CHIME_MODULE));
    ASSERT_GT(module.size(), 4096);
    QByteArray farSections = module;
    // e_shoff, the section headers' offset, far beyond the file.
    farSections.replace(0x28, 8, QByteArray("\xff\xff\xff\xff\xff\xff\xff\x7f", 8));
    QByteArray manySections = module;
    // e_shnum, the number of section headers, at its largest.
    manySections.replace(0x3c, 2, QByteArray("\xff\xff", 2));
    ASSERT_FALSE(qtCoreFile().isEmpty());
    const NotAModule files[] = {
        {"empty", QByteArray()},
        {"text", QByteArray("#!/bin/sh\necho not a module\n")},
        {"headers only", module.left(64)},
        {"cut short", module.left(4096)},
        {"far sections", farSections},
        {"many sections", manySections},
        {"a library of another program", contents(qtCoreFile())},
    };
    for (const NotAModule& file : files) {
        SCOPED_TRACE(file.name);
        ASSERT_TRUE(write(chimeIn("first"), file.bytes));
        ModuleLoader loader(QStringLiteral("velmora_chime"),
                            {folder_.filePath(QStringLiteral("first"))});
        EXPECT_EQ(loader.resolve("velmoraPlaySound"), nullptr);
        const std::string why = loader.why().toStdString();
        EXPECT_NE(why.find("not a module of this program"), std::string::npos) << why;
        EXPECT_FALSE(mapped(chimeIn("first")));
        ASSERT_TRUE(QFile::remove(chimeIn("first")));
    }
}

} // namespace
