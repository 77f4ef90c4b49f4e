#include "logic/ciphers/CipherRegistry.h"

#include <gtest/gtest.h>

namespace {

// The registry may be built before main(), as the benchmarks do to register one benchmark per
// cipher; its declarations must not rest on constants of other files that are not set up yet.
// This file's initialiser runs before those of the library it is linked with.
struct EarlyLook
{
    QStringList keys;
    QString zaun;
};

const EarlyLook kEarly = [] {
    EarlyLook look;
    for (const Ciphers::Cipher &cipher : Ciphers::cipherRegistry()) {
        for (const Ciphers::ParamDecl &decl : cipher.params)
            look.keys.append(cipher.cliName + u'/' + decl.key);
    }
    return look;
}();

} // namespace

TEST(CipherRegistryBeforeMain, DeclarationsAndDecodingAreWhole)
{
    ASSERT_FALSE(kEarly.keys.isEmpty());
    for (const QString &key : kEarly.keys)
        EXPECT_FALSE(key.endsWith(u'/')) << key.toStdString();
    const Ciphers::Cipher *zaun = Ciphers::findCipher(QStringLiteral("zaun"));
    ASSERT_NE(zaun, nullptr);
    EXPECT_EQ(zaun->decode(QStringLiteral("WECRLTEERDSOEEFEAOCAIVDEN"),
                           {{QStringLiteral("schienen"), QStringLiteral("3")}}),
              QStringLiteral("WEAREDISCOVEREDFLEEATONCE"));
}
