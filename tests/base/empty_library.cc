// A library that exists only to carry a resource.
