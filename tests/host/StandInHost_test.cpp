#include "host/LookupAs.h"
#include "host/StandInHost.h"
#include "platform/AAX_IHostController.h"
#include "platform/AAX_IHostObjectFactory.h"
#include "platform/AAX_IHostPropertyMap.h"
#include "platform/ACFInterfaceIDs.h"
#include "platform/AAXResults.h"

#include <gtest/gtest.h>

namespace {

TEST(StandInHost, WithheldInterfacesAreNotFound)
{
    StandInHost host;
    auto* controller = LookupAs<AAX_IHostController>(host.RunTime(), kIID_Controller);
    ASSERT_NE(controller, nullptr);
    controller->Relinquish();

    host.Withhold(kIID_Controller);
    EXPECT_EQ(LookupAs<AAX_IHostController>(host.RunTime(), kIID_Controller), nullptr);
    EXPECT_EQ(LookupAs<IACFUnknown>(host.RunTime(), kIID_Collection), nullptr);  // not this object's
    void* answer = nullptr;
    EXPECT_EQ(host.RunTime()->LookupInterface(kIID_Transport, nullptr), kACFResultNullPointer);
    EXPECT_EQ(host.RunTime()->LookupInterface(kIID_Controller, &answer), kACFResultNoInterface);
}

TEST(StandInHost, FactoryObjectsAnswerTheirInterfacesAndFailOnRequest)
{
    StandInHost host;
    auto* factory = LookupAs<AAX_IHostObjectFactory>(host.Unknown(), kIID_ObjectFactory);
    ASSERT_NE(factory, nullptr);
    void* created = nullptr;
    ASSERT_EQ(factory->CreateObject(kCLSID_PropertyMap, nullptr, kIID_PropertyMap, &created), 0);
    auto* map = static_cast<AAX_IHostPropertyMap*>(created);
    EXPECT_EQ(host.LiveObjects(), 1);

    host.Fail(kIID_PropertyMap, -42);
    EXPECT_EQ(map->AddProperty(11, 1), -42);
    uint32_t value = 0;
    EXPECT_EQ(map->GetProperty(11, &value), 0);  // a failed addition keeps nothing
    host.Fail(kIID_PropertyMap, 0);
    EXPECT_EQ(map->AddProperty(11, 5), 0);
    EXPECT_EQ(map->AddProperty(11, 6), 0);
    EXPECT_EQ(map->GetProperty(11, &value), 1);
    EXPECT_EQ(value, 6u);

    // Aggregation and unknown classes are refused.
    IACFUnknown* outer = host.Unknown();
    EXPECT_NE(factory->CreateObject(kCLSID_PropertyMap, outer, kIID_PropertyMap, &created), 0);
    EXPECT_EQ(created, nullptr);
    EXPECT_NE(factory->CreateObject(kIID_Controller, nullptr, kIID_PropertyMap, &created), 0);
    host.Withhold(kIID_PropertyMap);
    EXPECT_NE(factory->CreateObject(kCLSID_PropertyMap, nullptr, kIID_PropertyMap, &created), 0);
    EXPECT_EQ(host.LiveObjects(), 1);  // the refused object is gone again

    map->Relinquish();
    factory->Relinquish();
    EXPECT_EQ(host.LiveObjects(), 0);
    EXPECT_EQ(host.Calls(), (std::vector<std::string>{"new properties1", "properties1.AddProperty(11, 0x00000001)",
                                                      "properties1.AddProperty(11, 0x00000005)",
                                                      "properties1.AddProperty(11, 0x00000006)"}));
}

}  // namespace
