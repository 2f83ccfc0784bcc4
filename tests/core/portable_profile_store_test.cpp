#include "config/portable_profile_store.h"

#include <gtest/gtest.h>

#include "tests/contract/profile_store_contract.h"

namespace trv::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Portable, ProfileStoreContract,
                         ::testing::Values(NamedStoreFactory{
                             "Portable",
                             [](const std::u16string& path) -> std::unique_ptr<ProfileStore> {
                                 return std::make_unique<PortableProfileStore>(path);
                             }}),
                         storeName);

}  // namespace
}  // namespace trv::testing
